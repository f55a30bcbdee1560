// Name sets, find and where-used in the window: 文件 -> 载入名称表… / 使用内置名称表,
// 编辑 -> 查找 (Ctrl+K) with F3 / Shift+F3, and 查看引用 on the rows that have references.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTableView>

#include "app/CEditorDlg.h"
#include "app/FindBox.h"
#include "app/ListCommands.h"
#include "app/ListRows.h"
#include "app/PageArea.h"
#include "app/TableModel.h"
#include "names/NameSet.h"
#include "rom/Find.h"
#include "widgets/Placement.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
const char* const kNamesKey = "names/folder";

using widgets::Q;

// The reasons a folder was refused, one a line.
QString Reasons(const QString& folder, const std::vector<rom::Error>& errors)
{
    QString text = CEditorDlg::tr("名称表 %1 被拒绝，继续使用原来的名称：").arg(folder);
    for (const rom::Error& e : errors)
        text += u'\n' + Q(rom::Describe(e));
    return text;
}
} // namespace

void CEditorDlg::AddNameItems(QMenu* file)
{
    QAction* load = file->addAction(tr("载入名称表(&N)…"));
    load->setObjectName(QStringLiteral("actionLoadNames"));
    connect(load, &QAction::triggered, this, &CEditorDlg::OnLoadNames);
    QAction* builtIn = file->addAction(tr("使用内置名称表(&I)"));
    builtIn->setObjectName(QStringLiteral("actionBuiltInNames"));
    connect(builtIn, &QAction::triggered, this, &CEditorDlg::OnBuiltInNames);
    file->addSeparator();
}

void CEditorDlg::AddFindItems()
{
    QMenu* edit = editMenu_;
    edit->addSeparator();
    const auto add = [this, edit](const char* name, const QString& text, QKeySequence key, auto slot) {
        QAction* a = edit->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("actionFind", tr("查找(&K)…\tCtrl+K"), QKeySequence(Qt::CTRL | Qt::Key_K), &CEditorDlg::OnFind);
    // Also at home in the find box itself (added to it when it is made).
    findSteps_ = {add("actionFindNext", tr("查找下一个(&N)\tF3"), QKeySequence(Qt::Key_F3),
                      [this] { Finder()->Step(1); }),
                  add("actionFindPrevious", tr("查找上一个(&R)\tShift+F3"),
                      QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { Finder()->Step(-1); })};
}

// Every list's context menu: 查看引用 on the rows whose things are referred to elsewhere and on
// the monsters' attack cells, then the 编辑 menu's list commands (copy, paste, bulk edit, ...),
// which act on the list clicked.
void CEditorDlg::WireReferences(int listId)
{
    QTableView* view = pages_->Lists().at(listId);
    const std::string table = pages_->Model(listId)->Table().Id();
    const bool references = rom::HasReferences(table) || table == "monsters";
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view, listId, references](const QPoint& pos) {
                const QModelIndex index = view->indexAt(pos);
                if (!index.isValid())
                    return;
                auto* menu = new QMenu(view);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                if (references) {
                    QAction* refs = menu->addAction(tr("查看引用"));
                    refs->setObjectName(QStringLiteral("actionReferences"));
                    const int row = pages_->Rows(listId)->TableRow(index.row()), column = index.column();
                    connect(refs, &QAction::triggered, this,
                            [this, listId, row, column] { ShowReferences(listId, row, column); });
                    menu->addSeparator();
                }
                for (QAction* a : listCommands_->Actions())
                    menu->addAction(a);
                menu->popup(view->viewport()->mapToGlobal(pos)); // never waits: the menu closes by itself
            });
}

bool CEditorDlg::ShowReferences(int listId, int row, int column)
{
    const rom::Table& t = pages_->Model(listId)->Table();
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
    Finder()->ShowReferences(what, rom::WhereUsed(session_.Document().GetModel(), table, index));
    Finder()->show();
    Finder()->raise();
    return true;
}

FindBox* CEditorDlg::Finder()
{
    if (!findBox_) {
        findBox_ = new FindBox(
            session_.Document().GetModel(),
            [this](const Place& p) { pages_->ShowTableRow(p.tableId, p.row, p.column); }, this);
        findBox_->addActions(findSteps_); // F3 and Shift+F3 work inside the box too
        widgets::PlaceBeside(findBox_);   // the row it shows stays in view
    }
    return findBox_;
}

void CEditorDlg::OnFind()
{
    FindBox* box = Finder();
    box->setWindowTitle(tr("查找"));
    box->Find(box->Input()->text());
    box->show();
    box->raise();
    box->activateWindow();
    box->Input()->setFocus();
    box->Input()->selectAll();
}

bool CEditorDlg::UseNameFolder(const QString& folder)
{
    std::vector<rom::Error> errors;
    if (!session_.UseNameFolder(folder.toStdString(), errors)) {
        prompts_.Tell(this, QMessageBox::Warning, Caption(), Reasons(folder, errors));
        return false;
    }
    return true; // relabelled as the session says the names changed
}

void CEditorDlg::OnLoadNames()
{
    widgets::FileQuestion question;
    question.mode = widgets::FileQuestion::Folder;
    question.caption = tr("载入名称表");
    question.path = QSettings().value(QString::fromLatin1(kNamesKey)).toString();
    const QString folder = prompts_.ChooseFile(this, question);
    if (!folder.isEmpty() && UseNameFolder(folder))
        QSettings().setValue(QString::fromLatin1(kNamesKey), Q(session_.Names().Folder()));
}

void CEditorDlg::OnBuiltInNames()
{
    session_.UseBuiltInNames();
    QSettings().remove(QString::fromLatin1(kNamesKey));
}

void CEditorDlg::UseRememberedNames()
{
    QSettings settings;
    const QString folder = settings.value(QString::fromLatin1(kNamesKey)).toString();
    if (folder.isEmpty())
        return;
    // Said once: a folder that no longer loads is forgotten, and the built-in names stay.
    if (!UseNameFolder(folder))
        settings.remove(QString::fromLatin1(kNamesKey));
}

// Names are looked up when shown, so a repaint of every list is all a switch needs; the status
// line and the open find box follow.
void CEditorDlg::Relabel()
{
    pages_->RefreshAll();
    SetLoadedState(session_.IsLoaded());
    if (findBox_ && findBox_->isVisible() && !findBox_->Input()->text().isEmpty())
        findBox_->Find(findBox_->Input()->text());
}

} // namespace dravik::app
