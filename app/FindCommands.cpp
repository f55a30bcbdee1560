#include "app/FindCommands.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "app/FindBox.h"
#include "app/ListRows.h"
#include "app/PageArea.h"
#include "app/Session.h"
#include "app/TableModel.h"
#include "names/NameSet.h"
#include "rom/Find.h"
#include "widgets/Placement.h"
#include "widgets/Text.h"

namespace dravik::app {

using widgets::Q;

FindCommands::FindCommands(Session& session, PageArea& pages, QWidget* window)
    : QObject(window), session_(session), pages_(pages), window_(window)
{
    // Names are looked up when shown: the open box finds its text again under the new names.
    connect(&session_, &Session::NamesChanged, this, [this] {
        if (box_ && box_->isVisible() && !box_->Input()->text().isEmpty())
            box_->Find(box_->Input()->text());
    });
}

void FindCommands::AddItems(QMenu* edit)
{
    edit->addSeparator();
    const auto add = [this, edit](const char* name, const QString& text, QKeySequence key, auto slot) {
        QAction* a = edit->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        window_->addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("actionFind", tr("查找(&K)…\tCtrl+K"), QKeySequence(Qt::CTRL | Qt::Key_K), &FindCommands::Find);
    // Also at home in the find box itself (added to it when it is made).
    steps_ = {
        add("actionFindNext", tr("查找下一个(&N)\tF3"), QKeySequence(Qt::Key_F3), [this] { Box()->Step(1); }),
        add("actionFindPrevious", tr("查找上一个(&R)\tShift+F3"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
            [this] { Box()->Step(-1); })};
}

void FindCommands::WirePage(QWidget* page, const std::vector<QAction*>& listActions)
{
    for (const auto& [id, view] : pages_.Lists())
        if (page->isAncestorOf(view))
            WireList(id, listActions);
}

void FindCommands::WireList(int listId, const std::vector<QAction*>& listActions)
{
    QTableView* view = pages_.Lists().at(listId);
    const std::string table = pages_.Model(listId)->Table().Id();
    const bool references = rom::HasReferences(table) || table == "monsters";
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view, listId, references, listActions](const QPoint& pos) {
                const QModelIndex index = view->indexAt(pos);
                if (!index.isValid())
                    return;
                auto* menu = new QMenu(view);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                if (references) {
                    QAction* refs = menu->addAction(tr("查看引用"));
                    refs->setObjectName(QStringLiteral("actionReferences"));
                    const int row = pages_.Rows(listId)->TableRow(index.row()), column = index.column();
                    connect(refs, &QAction::triggered, this,
                            [this, listId, row, column] { ShowReferences(listId, row, column); });
                    menu->addSeparator();
                }
                for (QAction* a : listActions)
                    menu->addAction(a);
                menu->popup(view->viewport()->mapToGlobal(pos)); // never waits: the menu closes by itself
            });
}

bool FindCommands::ShowReferences(int listId, int row, int column)
{
    const rom::Table& t = pages_.Model(listId)->Table();
    std::string table = t.Id();
    int index = row;
    QString what = Q(t.RowLabel(row));
    if (table == "monsters") {
        // An attack cell: the attack pattern it shows.
        const rom::CodeArray* attacks = t.FindCodes("attacks");
        if (!attacks || column < attacks->column || column >= attacks->column + attacks->perRow)
            return false;
        index = attacks->At(row, column - attacks->column);
        table = names::AttackListFor(row) == names::List::AttacksA ? "attacks_a" : "attacks_b";
        what = Q(t.Cell(row, column));
    }
    if (!rom::HasReferences(table))
        return false;
    Box()->ShowReferences(what, rom::WhereUsed(session_.Document().GetModel(), table, index));
    Box()->show();
    Box()->raise();
    return true;
}

FindBox* FindCommands::Box()
{
    if (!box_) {
        box_ = new FindBox(
            session_.Document().GetModel(),
            [this](const Place& p) { pages_.ShowTableRow(p.tableId, p.row, p.column); }, window_);
        box_->addActions(steps_);   // F3 and Shift+F3 work inside the box too
        widgets::PlaceBeside(box_); // the row it shows stays in view
    }
    return box_;
}

void FindCommands::Find()
{
    FindBox* box = Box();
    box->setWindowTitle(tr("查找"));
    box->Find(box->Input()->text());
    box->show();
    box->raise();
    box->activateWindow();
    box->Input()->setFocus();
    box->Input()->selectAll();
}

} // namespace dravik::app
