// What a user reads on the window, written out by hand (menus, page buttons, frames, columns), every
// page and dialog rendered in both languages, and the 语言 menu.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTreeWidget>

#include <cmath>
#include <map>

#include "WindowFixture.h"
#include "app/BulkEditDialog.h"
#include "app/CAboutDlg.h"
#include "app/ChangeReviewDialog.h"
#include "app/DiffDialog.h"
#include "app/LanguageMenu.h"
#include "app/Resources.h"
#include "editors/RowEditing.h"
#include "i18n/Language.h"
#include "rom/ImageDiff.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"

namespace dravik::test {
namespace {

// A letter must lead to one entry: two entries with the same letter only take turns being highlighted.
void ExpectUniqueLetters(const QList<QAction*>& actions)
{
    std::map<QChar, QString> seen;
    for (const QAction* a : actions) {
        const int at = a->text().indexOf(u'&');
        if (at >= 0 && at + 1 < a->text().size()) {
            EXPECT_TRUE(seen.emplace(a->text()[at + 1].toUpper(), a->text()).second)
                << a->text() << " and " << seen[a->text()[at + 1].toUpper()];
        }
    }
}

// "menu:entry|entry|-|entry [key]", a separator as "-", each submenu on a line of its own after its menu.
void AddMenu(QStringList& lines, const QString& title, const QList<QAction*>& actions)
{
    ExpectUniqueLetters(actions);
    QStringList entries;
    std::vector<QAction*> submenus;
    for (QAction* a : actions) {
        if (a->objectName().startsWith(U("actionRecent")))
            continue;                   // the files opened by earlier tests
        const QString text = a->text(); // a key after a tab, shown as "[key]"
        entries << (a->isSeparator()       ? U("-")
                    : text.contains(u'\t') ? QString(text).replace(u'\t', U(" [")) + u']'
                                           : text);
        if (a->menu())
            submenus.push_back(a);
    }
    lines << title + u':' + entries.join(u'|');
    for (QAction* a : submenus)
        AddMenu(lines, a->text(), a->menu()->actions());
}

// Each list's columns as "title=width" (pixels at an average character of 6 pixels), "*" where the
// title's own width decides it; the name column (the first) is at least as wide. A list may show
// more columns than these.
const char* const kColumns = R"(1004 主炮=80 价格=45 防御=45 重量=45 攻击=45 弹仓=45
1005 副炮=80 价格=45 防御=45 重量=45 攻击=45
1007 特殊炮=80 价格=45 防御=45 重量=45 攻击=45 弹仓=45 炮弹价=*
1008 控制系统=80 价格=45 防御=45 重量=45 命中=45 回避=45
1009 引擎=80 价格=50 防御=50 重量=50 载重=50
1011 特殊炮弹=70 价格=47
1016 战车道具=60 价格=45
1020 战车=80 弹仓=40 防御=40 防御上限=* 重量=45 租车装甲=* 装备1=75 装备2=75 装备3=75 装备4=75 装备5=75 装备6=75 装备7=75 装备8=75 道具1=75 道具2=75 道具3=75 道具4=75
1021 人类武器=80 价格=50 攻击=50 攻击范围=60 装备的人=60
1023 手/足防具=80 价格=60 防御=60 装备的人=60
1024 头防具=80 价格=60 防御=60 装备的人=60
1025 体防具=80 价格=50 防御=50 装备的人=60
1026 护甲=80 价格=50 防御=50 装备的人=60
1028 道具=80 价格=50
1032 通辑犯=80 赏金=60
1038 人物=50 LV=30 战斗=40 驾驶=40 修理=40 腕力=40 智力=40 体力=40 速度=40 HP=40 MHP=40 道具1=70 道具2=70 道具3=70 装备1=70 装备2=70 装备3=70 装备4=70 装备5=70 装备6=70 装备7=70
1040 小吃=70 价格=50
1044 装饰品=70 价格=50
1048 饮料=70 价格=50
1058 怪物=90 强度=40 攻击=40 防御=40 HP=40 命中=40 回避=40 速度=40 护甲=40 经验=45 金钱=45 攻击方式1=100 攻击方式2=100 攻击方式3=100 攻击方式4=100 攻击方式5=100 攻击方式6=100 战利品(<3回合)=* 战利品(>3回合)=*)";

TEST_F(WindowTest, MenusPageButtonsFramesAndListColumnsReadAsDesigned)
{
    QStringList menus;
    ExpectUniqueLetters(window->menuBar()->actions());
    for (QAction* a : window->menuBar()->actions())
        AddMenu(menus, a->text(), a->menu()->actions());
    EXPECT_EQ(
        menus.join(u'\n'),
        U(R"(文件(&F):打开(&O) [Ctrl+O]|关闭(&C)|最近打开的文件(&R)|-|保存(&S) [Ctrl+S]|另存为(&A)… [Ctrl+Shift+S]|查看修改(&D) [Ctrl+D]|-|导出补丁(&P)…|与其他映像比较(&M)…|-|设置参照映像(&G)…|清除参照映像|-|载入名称表(&N)…|使用内置名称表(&I)|-|保存时备份(&B)|保存时修正校验和(&K)|-|退出(&E) [Ctrl+Q]
最近打开的文件(&R):
编辑(&E):撤销|重做|-|查找(&K)… [Ctrl+K]|查找下一个(&N) [F3]|查找上一个(&R) [Shift+F3]|-|复制(&C)|粘贴(&P)|批量修改(&B)…|恢复为参照值(&V)|筛选(&L)…
视窗(&W):战车火力|战车装备|战车属性|人类装备|装备/道具|人物/杂项|怪物篇
工具(&T):进制转换(&F) [Ctrl+F]|图表(&G)… [Ctrl+G]
语言 / &Language:中文|English
帮助(&H):用户指南(&U) [F1]|关于(&A) [Ctrl+A])"));

    QStringList buttons, frames;
    for (int page = 1; page <= 7; ++page) {
        window->ShowPage(page); // a page may be built when first shown
        QApplication::processEvents();
        buttons << Child<QPushButton>(U("pageButton%1").arg(page))->text();
        QStringList captions;
        for (QGroupBox* frame : Child(U("page%1").arg(page))->findChildren<QGroupBox*>())
            captions << frame->title();
        frames << captions.join(u'|');
    }
    EXPECT_EQ(buttons.join(u' '),
              U("战车\n火力 战车\n装备 战车\n属性 人类\n装备 装备\n道具 人物\n杂项 怪物"));
    EXPECT_EQ(frames.join(u'/'), U("/特殊弹价格/战车道具//道具|赏金/小吃|装饰品|饮料|客房价格/"));

    const widgets::DialogUnits du(Child(U("client"))->font());
    const int scale1000 = du.X(4000) / 6;
    const QStringList expected = U(kColumns).split(u'\n');
    ASSERT_EQ(expected.size(), static_cast<int>(Lists().size()));
    for (const QString& pinned : expected) {
        QStringList want = pinned.split(u' ');
        const int id = want.first().toInt();
        QStringList line{want.takeFirst()};
        const QHeaderView* header = List(id)->horizontalHeader();
        for (int c = 0; c < header->count(); ++c) {
            const QString title = List(id)->model()->headerData(c, Qt::Horizontal).toString() + u'=';
            const QString next = want.value(0);
            int units = (header->sectionSize(c) * 1000 + scale1000 / 2) / scale1000;
            if (c == 0)
                units =
                    std::min(units, next.section(u'=', 1).toInt()); // a name column grows to fit its names
            line << title + (next == title + u'*' ? U("*") : QString::number(units));
            if (line.last() == next)
                want.removeFirst();
        }
        // Every pinned column in its order; a column added to a table may come in anywhere.
        EXPECT_TRUE(want.isEmpty()) << "list " << id << " lacks " << want.join(u' ') << " in "
                                    << line.join(u' ');
    }
}

// The 语言 menu checks the language in use and remembers a choice for the next start; Qt's own
// dialogs speak the language too.
TEST_F(WindowTest, TheLanguageMenuRemembersAChoiceAndQtsOwnTextsSpeakChinese)
{
    QAction* chinese = Action(U("actionLanguage_zh"));
    EXPECT_TRUE(chinese->isChecked());
    chinese->trigger(); // already in use: remembered, nothing to say
    EXPECT_EQ(app::RememberedLanguage(), U("zh"));
    EXPECT_TRUE(user.Asked().empty());
    Action(U("actionLanguage_en"))->trigger();
    EXPECT_EQ(app::RememberedLanguage(), U("en"));
    EXPECT_TRUE(Action(U("actionLanguage_en"))->isChecked() && !chinese->isChecked());
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_TRUE(user.Asked()[0].text.contains(U("next start")));

    ASSERT_TRUE(i18n::InstallLanguage(*QCoreApplication::instance(), i18n::Language::Chinese));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), U("取消"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), U("查找范围："));
}

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
        // In a list built to scroll sideways a name column grows up to the list's width, in others
        // all columns together do. Only a column that can grow no more may cut a name (its tip shows it).
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

const QRegularExpression kChinese(U("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));

// "where: text" for every text of top with a Chinese character: menus, buttons, labels, frames and
// headings. Game data (lists, drop-downs, boxes, row names, the status line) is not looked at, nor
// the 语言 / Language menu, which names each language in itself.
QStringList ChineseIn(QWidget* top)
{
    const QMenu* language = top->findChild<QMenu*>(U("menuLanguage"));
    QStringList found;
    const auto look = [&](const QObject* where, const QString& text) {
        if (text.contains(kChinese))
            found << U("%1 %2: %3").arg(where->metaObject()->className(), where->objectName(), text);
    };
    look(top, top->windowTitle());
    for (const QAction* a : top->findChildren<QAction*>())
        if (!language || (a->parent() != language && a != language->menuAction()))
            look(a, a->text());
    for (const QLabel* l : top->findChildren<QLabel*>())
        if (!l->objectName().startsWith(U("title")) && l->objectName() != U("status") &&
            l->objectName() != U("aboutNames"))
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
        const bool english = language == i18n::Language::English;
        const char* in = english ? " (English)" : "";
        // As designed, and a larger window; the names the lists show are the same in English.
        for (const QSize grown : english ? std::vector<QSize>{{}} : std::vector<QSize>{{}, {500, 300}}) {
            window->resize(window->size() + grown);
            for (int page = 1; page <= 7; ++page) {
                window->ShowPage(page);
                QApplication::processEvents();
                for (const std::string& fault : Faults(window->findChild<QWidget*>(U("page%1").arg(page))))
                    ADD_FAILURE() << "page " << page << in << " (" << grown.width() << " wider): " << fault;
            }
        }
        std::vector<std::unique_ptr<QDialog>> dialogs;
        const rom::Model& model = Tables();
        // Each row editor on its first and last row (whose lists may differ) and on its longest name.
        for (const rom::Table& table : model.Tables()) {
            int longest = 0;
            for (int row = 0; row < table.Rows(); ++row)
                if (table.RowLabel(row).size() > table.RowLabel(longest).size())
                    longest = row;
            for (const int row : english ? std::vector<int>{0} : std::vector<int>{longest, table.Rows() - 1})
                if (std::unique_ptr<QDialog> editor = editors::CreateRowEditor(window.get(), table, row))
                    dialogs.push_back(std::move(editor));
        }
        dialogs.push_back(std::make_unique<tools::CBaseConvDlg>(window.get()));
        for (const auto& dialog : dialogs) {
            dialog->show();
            QApplication::processEvents();
            for (const std::string& fault : Faults(dialog.get()))
                ADD_FAILURE() << dialog->windowTitle() << in << ": " << fault;
        }
        if (!english)
            continue;

        Action("actionFind")->trigger();                            // the find box, a child of the window
        for (const char* picture : {"background.ppm", "about.png"}) // pictures with words in them
            EXPECT_TRUE(app::Picture(picture).startsWith(U(":/dravik/en/"))) << picture;
        dialogs.push_back(std::make_unique<app::CAboutDlg>(window->GetSession().NamesSummary()));
        dialogs.push_back(std::make_unique<app::DiffDialog>(rom::DiffImages(Sample(1), Sample(2)), "a", "b"));
        dialogs.push_back(
            std::make_unique<app::ChangeReviewDialog>(window->GetSession().Document().ReviewChanges()));
        EXPECT_EQ(ChineseIn(window.get()).join(u'\n').toStdString(), "");
        for (const QMenu* menu : window->findChildren<QMenu*>()) // the English letters are other letters
            ExpectUniqueLetters(menu->actions());
        for (const auto& dialog : dialogs)
            EXPECT_EQ(ChineseIn(dialog.get()).join(u'\n').toStdString(), "");
        // 批量修改 says what it will do, what is wrong with a formula and why a row does not fit.
        for (const char* formula : {"", "x+", "x", "x+1", "5000"}) {
            app::BulkEditDialog bulk(model.Get("monsters"), {0}, 2);
            bulk.findChild<QLineEdit*>(U("formula"))->setText(QString::fromLatin1(formula));
            QStringList found = ChineseIn(&bulk);
            const auto* preview = bulk.findChild<QTableWidget*>(U("preview"));
            for (int row = 0; row < preview->rowCount(); ++row)
                if (preview->item(row, 3)->text().contains(kChinese))
                    found << preview->item(row, 3)->text();
            EXPECT_EQ(found.join(u'\n').toStdString(), "") << formula;
        }
        // F1: the guide made for this interface.
        QString guide;
        user.AnswerModal([&](QDialog& dialog) {
            const auto* text = dialog.findChild<QTextBrowser*>(U("guideText"));
            guide = text->source().fileName() + u'\n' + text->toPlainText();
        });
        window->OnUserGuide();
        EXPECT_TRUE(guide.startsWith(U("user-guide.en.md\n"))) << guide.left(100);
        EXPECT_TRUE(guide.contains(U("File → Save As... (Ctrl+Shift+S)")));
        EXPECT_FALSE(guide.contains(U("打开")));
    }
}

} // namespace
} // namespace dravik::test
