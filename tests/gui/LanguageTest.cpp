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

TEST(QtTranslations, StockDialogsSpeakChinese)
{
    ASSERT_TRUE(i18n::InstallLanguage(*QCoreApplication::instance(), i18n::Language::Chinese));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), U("取消"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), U("查找范围："));
}

} // namespace
} // namespace dravik::test
