// The window over real files: read-only images shown view-only, images without a copier header,
// settings files that are not plain files.
#include "WindowFixture.h"

#include "app/CEditorApp.h"
#include "rom/InternalHeader.h"
#include "rom/Passes.h"
#include "widgets/LineBox.h"
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QWindow>
#include <functional>
#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace dravik::test {
namespace {

class WindowFilesTest : public WindowTest {};

#if defined(Q_OS_UNIX)
// A settings file Qt would read blindly (wait on a FIFO, follow a link, read any size) is refused
// before it is read, left as it is, and the run keeps its settings elsewhere.
TEST(Settings, AnOddSettingsFileIsRefusedWithoutWaitingOnIt)
{
    const QString before = QFileInfo(QSettings().fileName()).absolutePath();
    const QString organization = QCoreApplication::organizationName();
    QCoreApplication::setOrganizationName(QStringLiteral("guarded"));
    QTemporaryDir dir;
    const QString file =
        dir.filePath(QStringLiteral("guarded/") + QCoreApplication::applicationName() + ".ini");
    const QByteArray name = QFile::encodeName(file);
    const std::vector<std::pair<const char*, std::function<bool()>>> cases = {
        {"fine",
         [&] {
             return test::WriteFile(file.toStdString(), rom::Bytes{'[', ']'});
         }},
        {"fifo", [&] { return ::mkfifo(name.constData(), 0600) == 0; }},
        {"link", [&] { return QFile::link(dir.filePath(QStringLiteral("elsewhere")), file); }},
        {"2 MiB", [&] { return test::WriteFile(file.toStdString(), rom::Bytes(2 << 20, '#')); }},
    };
    for (const auto& [kind, make] : cases) {
        SCOPED_TRACE(kind);
        QSettings::setPath(QSettings::defaultFormat(), QSettings::UserScope, dir.path());
        QDir(dir.filePath(QStringLiteral("guarded"))).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("guarded"))) && make());
        const QString refused = app::CEditorApp::GuardSettings();
        EXPECT_EQ(refused.isEmpty(), std::string(kind) == "fine") << refused.toStdString();
        if (!refused.isEmpty()) {
            EXPECT_TRUE(refused.contains(file)) << refused.toStdString();
            EXPECT_FALSE(QSettings().fileName().startsWith(dir.path())) << "the run's settings go elsewhere";
        }
        EXPECT_TRUE(QFileInfo(file).isSymLink() || QFileInfo::exists(file)) << "the file is left alone";
    }
    QSettings::setPath(QSettings::defaultFormat(), QSettings::UserScope, QFileInfo(before).absolutePath());
    QCoreApplication::setOrganizationName(organization);
}
#endif

TEST_F(WindowFilesTest, ReadOnlyImageIsShownButNothingCanChangeOrSaveIt)
{
    const QString path = QString::fromStdString(image.Path());
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    Load();
    ASSERT_TRUE(Messages().empty()) << Messages()[0].text.toStdString();
    EXPECT_EQ(Child<QLabel>(QStringLiteral("status"))->text(), U("[文件]") + path + U(" (只读)"));
    EXPECT_TRUE(window->windowTitle().contains(U("只读")));
    EXPECT_FALSE(Action("actionSave")->isEnabled());
    EXPECT_FALSE(Button(1003)->isEnabled());
    EXPECT_EQ(Cell(1058, 3, 2).toStdString(),
              window->GetSession().Document().GetModel().Get("monsters").Cell(3, 2));

    // Row editors open read-only; price buttons and bound boxes do nothing.
    user.AnswerModal([](QDialog& dialog) { // a monster editor, with boxes and lists
        EXPECT_TRUE(dialog.windowTitle().endsWith(U(" - 只读"))) << dialog.windowTitle().toStdString();
        EXPECT_FALSE(dialog.findChildren<QComboBox*>().isEmpty());
        for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
            EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
        for (QComboBox* list : dialog.findChildren<QComboBox*>())
            EXPECT_FALSE(list->isEnabled()) << list->objectName().toStdString();
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("button1"))->isEnabled());
    });
    window->ShowPage(7);
    ClickRow(1058, 3, true);
    EXPECT_EQ(Modals().size(), 1u);
    window->ShowPage(5);
    ClickRow(1028, 2);
    EXPECT_FALSE(Button(1030)->isEnabled());
    for (int id : {1052, 1053, 1054, 1055})
        EXPECT_TRUE(Box(id)->isReadOnly()) << id;

    window->OnSave(); // as if reached despite the disabled command
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.contains(U("只读"))) << Messages()[0].text.toStdString();
    EXPECT_EQ(image.Read(), Sample(1));

    // The next writable file (here a plain dump without the copier header) is editable again.
    TempImage plain(rom::MakeSampleImage(2, false), "plain.sfc");
    Open(plain.Path());
    EXPECT_EQ(Child<QLabel>(QStringLiteral("status"))->text(),
              U("[文件]") + QString::fromStdString(plain.Path()) + U(" (无文件头)"));
    EXPECT_EQ(Title(), U("Dravik静态修改器 - plain.sfc"));
    EXPECT_TRUE(Button(1003)->isEnabled());
    EXPECT_TRUE(Button(1030)->isEnabled());
    EXPECT_FALSE(Box(1052)->isReadOnly());
    EXPECT_EQ(Cell(1058, 3, 4).toStdString(),
              window->GetSession().Document().GetModel().Get("monsters").Cell(3, 4));
}

// The two save options of 文件: 保存时备份 (on by default) keeps NAME.smc.bak, 保存时修正校验和 (off by
// default) sets the internal checksum; each is remembered for the next window.
TEST_F(WindowFilesTest, SaveOptionsDoWhatTheySayAndAreRemembered)
{
    const std::string backupPath = rom::RomDocument::BackupPath(image.Path());
    for (const auto& [action, byDefault] :
         {std::pair{"actionBackupOnSave", true}, {"actionFixChecksumOnSave", false}}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(Action(action)->isChecked(), byDefault);
        for (const bool on : {!byDefault, byDefault}) {
            QFile::remove(QString::fromStdString(backupPath));
            ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
            Action(action)->setChecked(on);
            Load();
            window->GetSession().Apply(rom::Edit("items").SetCell(0, 1, "4"), U("edit"));
            window->OnSave();
            const rom::Bytes saved = image.Read();
            rom::Bytes fixed = saved;
            rom::ApplyPatches(rom::FixChecksum(saved, window->GetSession().Document().Form()).patches, fixed);
            EXPECT_EQ(byDefault ? ReadFile(backupPath) == Sample(1) : fixed == saved, on);
            app::CEditorDlg second(user);
            const rom::RomDocument& doc = second.GetSession().Document();
            EXPECT_EQ(byDefault ? doc.BackupOnSave() : doc.FixChecksumOnSave(), on);
            EXPECT_EQ(second.findChild<QAction*>(QString::fromLatin1(action))->isChecked(), on);
        }
    }
}

// A file that is not an image of the game opens all the same, with one notice that waits on nothing.
TEST_F(WindowFilesTest, AnImplausibleImageOpensWithANoticeThatDoesNotWait)
{
    rom::Bytes bytes = Sample(1);
    for (uint32_t at : {0x7FDCu, 0xFFDCu, 0x81DCu, 0x101DCu})
        bytes[at] ^= 0x5A; // no checksum and complement sum to 0xFFFF any more
    ASSERT_TRUE(WriteFile(image.Path(), bytes));
    Load();
    ASSERT_TRUE(window->GetSession().IsLoaded());
    EXPECT_TRUE(user.Asked(Prompt::Message).empty());
    EXPECT_EQ(user.Asked(Prompt::Notice).size(), 1u);
    EXPECT_TRUE(Child<QLabel>(QStringLiteral("status"))->text().contains(U("可能不是本游戏的映像")));
}

} // namespace
} // namespace dravik::test
