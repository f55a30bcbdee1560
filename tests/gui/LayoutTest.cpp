// Every page and dialog as rendered: a name column shows its entries whole (or, where the list has
// no room left, in the tool tip), a drop-down list shows each of its entries whole, and no control
// crosses the border of a frame.
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QStyleOptionComboBox>

#include <cmath>

#include "WindowFixture.h"
#include "editors/RowEditing.h"
#include "tools/CBaseConvDlg.h"

namespace dravik::test {
namespace {

// The width the closed box gives the current entry's text. The option holds what the style reads
// for this sub-control, as QComboBox fills it for painting.
int TextRoom(const QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.iconSize = combo->iconSize();
    option.currentText = combo->currentText();
    return combo->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
        .width();
}

// The inside of the frame, below its caption and border, in its parent's coordinates: a group
// box keeps its style's contents rectangle as its contents margins.
QRect Inside(const QGroupBox* box) { return box->contentsRect().translated(box->pos()); }

// Everything wrong with the controls of top, one line each.
std::vector<std::string> Faults(QWidget* top)
{
    std::vector<std::string> faults;
    const auto name = [](const QWidget* w) {
        return w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                         : w->objectName().toStdString();
    };
    for (QGroupBox* box : top->findChildren<QGroupBox*>()) {
        if (!box->isVisibleTo(top))
            continue;
        const QRect outer = box->geometry(), inside = Inside(box);
        for (QObject* o : box->parentWidget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w == box || !w->isVisibleTo(top) || qobject_cast<QGroupBox*>(w))
                continue;
            const QRect r = w->geometry();
            if (r.intersects(outer) && !inside.contains(r))
                faults.push_back(name(w) + " crosses the frame \"" + box->title().toStdString() + "\"");
        }
    }
    for (QComboBox* combo : top->findChildren<QComboBox*>()) {
        const int room = TextRoom(combo);
        for (int i = 0; i < combo->count(); ++i)
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > room) {
                faults.push_back(name(combo) + " cuts \"" + combo->itemText(i).toStdString() + "\"");
                break;
            }
    }
    for (QTableView* view : top->findChildren<QTableView*>()) {
        if (!view->isVisibleTo(top))
            continue;
        QAbstractItemModel* m = view->model();
        const QHeaderView* header = view->horizontalHeader();
        // A list built to scroll sideways lets a name column grow up to the list's width; any
        // other list up to its own width. Only a column that can grow no more may cut a name,
        // which its tool tip then shows whole.
        const int room = view->viewport()->width();
        const int last = header->sectionSize(m->columnCount() - 1);
        const bool sideways = header->length() - last > room;
        const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        for (int c = 0; c < m->columnCount(); ++c)
            for (int r = 0; r < m->rowCount(); ++r) {
                const QString text = m->index(r, c).data().toString();
                if (text.isEmpty() || text.front().isDigit() || text.front() == QLatin1Char('-'))
                    continue; // a number, not a name
                const int width = header->sectionSize(c);
                const qreal advance = QFontMetricsF(view->font()).horizontalAdvance(text);
                if (static_cast<int>(std::ceil(advance)) + 2 * margin + 1 <= width) // + the grid line
                    continue;
                const bool full = sideways ? width >= room : header->length() >= room;
                if (!full || m->index(r, c).data(Qt::ToolTipRole).toString() != text)
                    faults.push_back(name(view) + " cuts \"" + text.toStdString() + "\"");
            }
    }
    return faults;
}

TEST_F(WindowTest, EveryPageAndDialogShowsNamesWholeAndKeepsControlsInsideTheirFrames)
{
    Load();
    for (const QSize grown : {QSize(0, 0), QSize(500, 300)}) { // as designed, and a larger window
        window->resize(window->size() + grown);
        for (int page = 1; page <= 7; ++page) {
            window->ShowPage(page);
            QApplication::processEvents();
            for (const std::string& fault :
                 Faults(window->findChild<QWidget*>(QStringLiteral("page%1").arg(page))))
                ADD_FAILURE() << "page " << page << " (" << grown.width() << " wider): " << fault;
        }
    }
    for (const ListOfTable& l : kLists) {
        rom::Table& table = window->GetSession().Document().GetModel().Get(l.table);
        std::unique_ptr<QDialog> editor = editors::CreateRowEditor(window.get(), table, 0);
        if (!editor)
            continue;
        editor->show();
        QApplication::processEvents();
        for (const std::string& fault : Faults(editor.get()))
            ADD_FAILURE() << l.table << " editor: " << fault;
    }
    tools::CBaseConvDlg converter(window.get());
    converter.show();
    QApplication::processEvents();
    for (const std::string& fault : Faults(&converter))
        ADD_FAILURE() << "base converter: " << fault;
}

} // namespace
} // namespace dravik::test
