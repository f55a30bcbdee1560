// Every page and dialog as rendered, in Chinese and in English: a name column shows its entries
// whole (or, where the list has no room left, in the tool tip), a drop-down list shows each of its
// entries whole, a label its text; no control crosses the border of a frame, leaves its dialog or
// lies over another. Under English no text the program writes itself is left in Chinese.
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTreeWidget>

#include <cmath>

#include "WindowFixture.h"
#include "app/BulkEditDialog.h"
#include "app/CAboutDlg.h"
#include "app/ChangeReviewDialog.h"
#include "app/DiffDialog.h"
#include "app/Resources.h"
#include "editors/RowEditing.h"
#include "i18n/Language.h"
#include "rom/ImageDiff.h"
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
    const bool dialog = qobject_cast<QDialog*>(top);
    std::vector<QWidget*> placed; // a dialog's own controls, which may not overlap
    for (QWidget* w : top->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!dialog || !w->isVisibleTo(top))
            continue;
        if (!top->rect().contains(w->geometry()))
            faults.push_back(name(w) + " leaves the dialog");
        const auto* label = qobject_cast<QLabel*>(w);
        if (label && (label->wordWrap() ? label->heightForWidth(w->width()) > w->height()
                                        : label->fontMetrics().horizontalAdvance(label->text()) > w->width()))
            faults.push_back(name(w) + " cuts \"" + label->text().toStdString() + "\"");
        for (QWidget* other : placed)
            if (!qobject_cast<QGroupBox*>(w) && other->geometry().intersects(w->geometry()))
                faults.push_back(name(w) + " lies over " + name(other));
        if (!qobject_cast<QGroupBox*>(w))
            placed.push_back(w);
    }
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

const QRegularExpression kChinese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

// "where: text" for every text of top and its children that has a Chinese character: menus,
// buttons, labels, group titles and list headings. Names and values from the image are game data,
// so lists, drop-downs, edit boxes, the row editors' row name and the status line are not looked
// at; nor is the 语言 / Language menu, which names each language in itself.
QStringList ChineseIn(QWidget* top)
{
    const QMenu* language = top->findChild<QMenu*>(QStringLiteral("menuLanguage"));
    QStringList found;
    const auto look = [&](const QObject* where, const QString& text) {
        if (text.contains(kChinese))
            found << QStringLiteral("%1 %2: %3")
                         .arg(where->metaObject()->className(), where->objectName(), text);
    };
    look(top, top->windowTitle());
    for (const QAction* a : top->findChildren<QAction*>())
        if (!language || (a->parent() != language && a != language->menuAction()))
            look(a, a->text());
    for (const QLabel* l : top->findChildren<QLabel*>())
        if (!l->objectName().startsWith(QStringLiteral("title")) &&
            l->objectName() != QStringLiteral("status") && l->objectName() != QStringLiteral("aboutNames"))
            look(l, l->text());
    for (const QAbstractButton* b : top->findChildren<QAbstractButton*>())
        look(b, b->text());
    for (const QGroupBox* g : top->findChildren<QGroupBox*>())
        look(g, g->title());
    for (const QTableWidget* t : top->findChildren<QTableWidget*>())
        for (int c = 0; c < t->columnCount(); ++c)
            look(t, t->horizontalHeaderItem(c) ? t->horizontalHeaderItem(c)->text() : QString());
    for (const QTreeWidget* t : top->findChildren<QTreeWidget*>())
        for (int c = 0; c < t->columnCount(); ++c)
            look(t, t->headerItem()->text(c));
    return found;
}

TEST_F(WindowTest, EveryPageAndDialogShowsItsTextsWholeAndKeepsControlsInPlaceInBothLanguages)
{
    for (const i18n::Language language : {i18n::Language::Chinese, i18n::Language::English}) {
        ASSERT_TRUE(i18n::InstallLanguage(*QCoreApplication::instance(), language));
        NextWindow(); // the window takes its texts when made
        Load();
        const char* in = language == i18n::Language::English ? " (English)" : "";
        for (const QSize grown : {QSize(0, 0), QSize(500, 300)}) { // as designed, and a larger window
            window->resize(window->size() + grown);
            for (int page = 1; page <= 7; ++page) {
                window->ShowPage(page);
                QApplication::processEvents();
                for (const std::string& fault :
                     Faults(window->findChild<QWidget*>(QStringLiteral("page%1").arg(page))))
                    ADD_FAILURE() << "page " << page << in << " (" << grown.width() << " wider): " << fault;
            }
        }
        std::vector<std::unique_ptr<QDialog>> dialogs;
        const rom::Model& model = window->GetSession().Document().GetModel();
        // Each row editor on its first and last row (whose lists may differ) and its longest name.
        for (const rom::Table& table : model.Tables()) {
            int longest = 0;
            for (int row = 0; row < table.Rows(); ++row)
                if (table.RowLabel(row).size() > table.RowLabel(longest).size())
                    longest = row;
            for (const int row : {0, longest, table.Rows() - 1})
                if (std::unique_ptr<QDialog> editor = editors::CreateRowEditor(window.get(), table, row))
                    dialogs.push_back(std::move(editor));
        }
        dialogs.push_back(std::make_unique<tools::CBaseConvDlg>(window.get()));
        for (const auto& dialog : dialogs) {
            dialog->show();
            QApplication::processEvents();
            for (const std::string& fault : Faults(dialog.get()))
                ADD_FAILURE() << dialog->windowTitle().toStdString() << in << ": " << fault;
        }
        if (language == i18n::Language::Chinese)
            continue;

        Action("actionFind")->trigger();                            // the find box, a child of the window
        for (const char* picture : {"background.ppm", "about.png"}) // pictures with words in them
            EXPECT_TRUE(app::Picture(picture).startsWith(U(":/dravik/en/"))) << picture;
        dialogs.push_back(std::make_unique<app::CAboutDlg>(window->GetSession().NamesSummary()));
        dialogs.push_back(std::make_unique<app::DiffDialog>(rom::DiffImages(Sample(1), Sample(2)), "a", "b"));
        dialogs.push_back(
            std::make_unique<app::ChangeReviewDialog>(window->GetSession().Document().ReviewChanges()));
        EXPECT_EQ(ChineseIn(window.get()).join(u'\n').toStdString(), "");
        for (const auto& dialog : dialogs)
            EXPECT_EQ(ChineseIn(dialog.get()).join(u'\n').toStdString(), "");
        // 批量修改 says what it will do, what is wrong with a formula and why a row does not fit; one
        // row is one row, not "1 rows".
        for (const char* formula : {"", "x+", "x", "x+1", "5000"}) {
            app::BulkEditDialog bulk(model.Get("monsters"), {0}, 2);
            bulk.findChild<QLineEdit*>(QStringLiteral("formula"))->setText(QString::fromLatin1(formula));
            QStringList found = ChineseIn(&bulk);
            for (const QLabel* label : bulk.findChildren<QLabel*>())
                if (label->text().contains(QRegularExpression(QStringLiteral("\\b1 [a-z]+s\\b"))))
                    found << label->text();
            const auto* preview = bulk.findChild<QTableWidget*>(QStringLiteral("preview"));
            for (int row = 0; row < preview->rowCount(); ++row)
                if (preview->item(row, 3)->text().contains(kChinese))
                    found << preview->item(row, 3)->text();
            EXPECT_EQ(found.join(u'\n').toStdString(), "") << formula;
        }
    }
}

} // namespace
} // namespace dravik::test
