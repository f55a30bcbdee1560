// What a user reads on the window, written out by hand: the menus with their letters and keys, the
// page buttons, the frame captions and each list's column titles with their widths (in pixels at
// an average character of 6 pixels). A renamed entry, a lost letter or a narrowed column shows here.
// And the interface language: the editor's command line (answered without a display), the 语言 menu
// that remembers a choice for the next start, and Qt's own dialogs in Chinese.
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QProcess>

#include <map>

#include "WindowFixture.h"
#include "app/LanguageMenu.h"
#include "i18n/Language.h"
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
                << a->text().toStdString() << " and " << seen[a->text()[at + 1].toUpper()].toStdString();
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
        if (a->objectName().startsWith(QStringLiteral("actionRecent")))
            continue;                   // the files opened by earlier tests
        const QString text = a->text(); // a key after a tab, shown as "[key]"
        entries << (a->isSeparator()       ? QStringLiteral("-")
                    : text.contains(u'\t') ? QString(text).replace(u'\t', QStringLiteral(" [")) + u']'
                                           : text);
        if (a->menu())
            submenus.push_back(a);
    }
    lines << title + u':' + entries.join(u'|');
    for (QAction* a : submenus)
        AddMenu(lines, a->text(), a->menu()->actions());
}

// Each list's columns as "title=width", "*" where the title's own width decides it; the name column
// (the first) is at least as wide. A list may show more columns than these.
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
        buttons << Child<QPushButton>(QStringLiteral("pageButton%1").arg(page))->text();
        QStringList captions;
        for (QGroupBox* frame : Child(QStringLiteral("page%1").arg(page))->findChildren<QGroupBox*>())
            captions << frame->title();
        frames << captions.join(u'|');
    }
    EXPECT_EQ(buttons.join(u' '),
              U("战车\n火力 战车\n装备 战车\n属性 人类\n装备 装备\n道具 人物\n杂项 怪物"));
    EXPECT_EQ(frames.join(u'/'), U("/特殊弹价格/战车道具//道具|赏金/小吃|装饰品|饮料|客房价格/"));

    const widgets::DialogUnits du(Child(QStringLiteral("client"))->font());
    const int scale1000 = du.X(4000) / 6;
    const QStringList expected = U(kColumns).split(u'\n');
    ASSERT_EQ(expected.size(), static_cast<int>(std::size(kLists)));
    for (const ListOfTable& l : kLists) {
        QStringList want = expected[static_cast<int>(&l - kLists)].split(u' ');
        QStringList line{want.takeFirst()};
        const QHeaderView* header = List(l.id)->horizontalHeader();
        for (int c = 0; c < header->count(); ++c) {
            const QString title = List(l.id)->model()->headerData(c, Qt::Horizontal).toString() + u'=';
            const QString next = want.value(0);
            int units = (header->sectionSize(c) * 1000 + scale1000 / 2) / scale1000;
            if (c == 0)
                units =
                    std::min(units, next.section(u'=', 1).toInt()); // a name column grows to fit its names
            line << title + (next == title + u'*' ? QStringLiteral("*") : QString::number(units));
            if (line.last() == next)
                want.removeFirst();
        }
        // Every pinned column in its order; a column added to a table may come in anywhere.
        EXPECT_TRUE(want.isEmpty()) << "list " << l.id << " lacks " << want.join(u' ').toStdString() << " in "
                                    << line.join(u' ').toStdString();
    }
}

TEST(EditorCommandLine, IsAnsweredWithoutADisplayInTheChosenLanguage)
{
    struct Case {
        QStringList arguments;
        const char* locale;
        int status;
        const char* printed; // on standard output when it succeeds, else on standard error
    } cases[] = {
        {{"--help"}, "en_US.UTF-8", 0, "Interface language"},
        {{"--lang", "en", "--help"}, "zh_CN.UTF-8", 0, "Quit as soon"},
        {{"--lang=zh", "-h"}, "en_US.UTF-8", 0, "界面语言"},
        {{"--version"}, "en_US.UTF-8", 0, "Dravik Editor 1."},
        {{"--unknown-option"}, "C.UTF-8", 2, "unknown-option"},
        {{"--lang", "fr", "a.smc"}, "en_US.UTF-8", 2, "--lang must be zh or en"},
        {{"a.smc", "b.smc"}, "C.UTF-8", 2, "只能打开一个"},
        {{"-style", "fusion", "-reverse", "--names"}, "C.UTF-8", 2, "names"}, // Qt's own are no problem
    };
    for (const Case& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* variable :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES"})
            env.remove(QString::fromLatin1(variable));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(c.locale));
        QProcess editor;
        editor.setProcessEnvironment(env);
        editor.start(QStringLiteral(DRAVIK_EDITOR_PATH), c.arguments);
        ASSERT_TRUE(editor.waitForFinished(30000));
        const QString out =
            QString::fromUtf8(c.status == 0 ? editor.readAllStandardOutput() : editor.readAllStandardError());
        const std::string what = c.arguments.join(' ').toStdString() + " " + c.locale;
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << what;
        EXPECT_EQ(editor.exitCode(), c.status) << what;
        EXPECT_TRUE(out.contains(U(c.printed))) << what << ":\n" << out.toStdString();
    }
}

TEST_F(WindowTest, TheLanguageMenuRemembersAChoiceForTheNextStart)
{
    QAction* chinese = Action(QStringLiteral("actionLanguage_zh"));
    QAction* english = Action(QStringLiteral("actionLanguage_en"));
    ASSERT_TRUE(chinese && english);
    EXPECT_TRUE(chinese->isChecked()); // the language in use
    EXPECT_FALSE(english->isChecked());
    chinese->trigger(); // already in use: remembered, nothing to say
    EXPECT_EQ(app::RememberedLanguage(), U("zh"));
    EXPECT_TRUE(user.Asked().empty());
    english->trigger();
    EXPECT_EQ(app::RememberedLanguage(), U("en"));
    EXPECT_TRUE(english->isChecked());
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_TRUE(user.Asked()[0].text.contains(U("next start")));
}

TEST(QtTranslations, StockDialogsSpeakChinese)
{
    ASSERT_TRUE(i18n::InstallLanguage(*QCoreApplication::instance(), i18n::Language::Chinese));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), U("取消"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), U("查找范围："));
}

} // namespace
} // namespace dravik::test
