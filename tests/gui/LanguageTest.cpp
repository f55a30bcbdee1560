// The interface language: the editor's command line (answered without a display), the 语言
// menu that remembers a choice for the next start, and a window and dialogs wholly in English.
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTreeWidget>

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

namespace dravik::test {
namespace {

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

// Under English no text the program writes itself is left in Chinese: the window's menus,
// buttons, labels, group titles and list headings, and every dialog's. Names and values from the
// image are game data, so lists, drop-downs, edit boxes, the row editors' row name and the status
// line are not looked at; nor is the 语言 / Language menu, which names each language in itself.
class EnglishWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        i18n::InstallLanguage(*QCoreApplication::instance(), i18n::Language::English);
        WindowTest::SetUp();
    }

    // "where: text" for every text of top and its children that has a Chinese character.
    QStringList ChineseIn(QWidget* top) const
    {
        static const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
        const QMenu* language = window->findChild<QMenu*>(QStringLiteral("menuLanguage"));
        QStringList found;
        const auto look = [&](const QObject* where, const QString& text) {
            if (text.contains(chinese))
                found << QStringLiteral("%1 %2: %3")
                             .arg(where->metaObject()->className(), where->objectName(), text);
        };
        look(top, top->windowTitle());
        for (const QAction* a : top->findChildren<QAction*>())
            if (!language || (a->parent() != language && a != language->menuAction()))
                look(a, a->text());
        for (const QLabel* l : top->findChildren<QLabel*>())
            if (!l->objectName().startsWith(QStringLiteral("title")) &&
                l->objectName() != QStringLiteral("status") &&
                l->objectName() != QStringLiteral("aboutNames"))
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
};

TEST_F(EnglishWindowTest, NoTextOfTheProgramIsLeftInChinese)
{
    Load();
    Action(QStringLiteral("actionFind"))->trigger();            // the find box, a child of the window
    for (const char* picture : {"background.ppm", "about.png"}) // pictures with words in them
        EXPECT_TRUE(app::Picture(picture).startsWith(U(":/dravik/en/"))) << picture;
    EXPECT_EQ(ChineseIn(window.get()).join(u'\n').toStdString(), "");
    const rom::Model& model = window->GetSession().Document().GetModel();
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.push_back(std::make_unique<app::CAboutDlg>(window->GetSession().NamesSummary()));
    dialogs.push_back(std::make_unique<tools::CBaseConvDlg>());
    dialogs.push_back(std::make_unique<app::DiffDialog>(rom::DiffImages(Sample(1), Sample(2)), "a", "b"));
    dialogs.push_back(
        std::make_unique<app::ChangeReviewDialog>(window->GetSession().Document().ReviewChanges()));
    for (const rom::Table& table : model.Tables())
        if (std::unique_ptr<QDialog> editor = editors::CreateRowEditor(nullptr, table, 0))
            dialogs.push_back(std::move(editor));
    for (const auto& dialog : dialogs)
        EXPECT_EQ(ChineseIn(dialog.get()).join(u'\n').toStdString(), "");
    // 批量修改 says what it will do, what is wrong with a formula and why a row does not fit; one
    // row is one row, not "1 rows".
    const rom::Table& monsters = *model.Find("monsters");
    for (const char* formula : {"", "x+", "x", "x+1", "5000"}) {
        app::BulkEditDialog bulk(monsters, {0}, 2);
        bulk.findChild<QLineEdit*>(QStringLiteral("formula"))->setText(QString::fromLatin1(formula));
        QStringList found = ChineseIn(&bulk);
        for (const QLabel* label : bulk.findChildren<QLabel*>())
            if (label->text().contains(QRegularExpression(QStringLiteral("\\b1 [a-z]+s\\b"))))
                found << label->text();
        const auto* preview = bulk.findChild<QTableWidget*>(QStringLiteral("preview"));
        for (int row = 0; row < preview->rowCount(); ++row)
            if (preview->item(row, 3)->text().contains(
                    QRegularExpression(QStringLiteral("[\\x{3000}-\\x{9fff}]"))))
                found << preview->item(row, 3)->text();
        EXPECT_EQ(found.join(u'\n').toStdString(), "") << formula;
    }
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
