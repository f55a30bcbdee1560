// The window's commands: Open, Close, Save, Save As and their failures, the shortcuts, leaving
// unsaved edits, patches and comparison, read-only and odd files, the recent list and dropped files.
#include <QComboBox>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include "WindowFixture.h"
#include "app/CEditorApp.h"
#include "app/DiffDialog.h"
#include "rom/PatchFiles.h"
#include "support/FailingFileOps.h"
#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace dravik::test {
namespace {

class WindowCommandsTest : public WindowTest {
protected:
    // Ctrl+key as a real key press: the shortcut map sees it before the focus widget does.
    void Shortcut(Qt::Key key)
    {
        QApplication::setActiveWindow(window.get());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, key, Qt::ControlModifier);
    }
};

// A cancelled or refused Open keeps what is shown; a Save that fails (a full disk) says why.
TEST_F(WindowCommandsTest, OpenFillsEverythingAFailedOrCancelledCommandChangesNothingAndCloseKeepsValues)
{
    Button(1001)->click(); // cancelled
    EXPECT_EQ(ChooserCalls(), 1u);
    ExpectState({});

    size_t repainted = 0; // whole lists
    for (const app::PageControl& l : Lists()) {
        app::TableModel* m = Model(l.id);
        QObject::connect(m, &QAbstractItemModel::dataChanged, [&repainted, m](QModelIndex a, QModelIndex b) {
            repainted += a == m->index(0, 0) && b == m->index(m->rowCount() - 1, m->columnCount() - 1);
        });
    }
    Load();
    ExpectState(image.Path(), 1);
    EXPECT_EQ(repainted, Lists().size());
    Action("actionOpen")->trigger(); // cancelled
    EXPECT_TRUE(Messages().empty());
    Open("/nonexistent/missing.smc");
    ExpectMessage(QMessageBox::Warning, U("/nonexistent/missing.smc"));
    ExpectState(image.Path(), 1);

    Tables().Get("bounties").SetCell(2, 1, "1");
    window->GetSession().Document().SetFileOps(std::make_shared<test::FailingFileOps>(0, ENOSPC, false));
    user.Clear();
    Button(1003)->click();
    ExpectMessage(QMessageBox::Critical, U("磁盘已满"));
    EXPECT_EQ(image.Read(), Sample(1));

    TempImage second(Sample(2), "second.smc");
    Open(second.Path());
    ExpectState(second.Path(), 2);
    Action("actionClose")->trigger();
    ExpectState({}, 2);

    // A file that is not an image of the game opens all the same, with one notice that waits on nothing.
    rom::Bytes bytes = Sample(1);
    for (uint32_t at : {0x7FDCu, 0xFFDCu, 0x81DCu, 0x101DCu})
        bytes[at] ^= 0x5A; // no checksum and complement sum to 0xFFFF any more
    ASSERT_TRUE(WriteFile(image.Path(), bytes));
    user.Clear();
    Load();
    ASSERT_TRUE(window->GetSession().IsLoaded());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(user.Asked(Prompt::Notice).size(), 1u);
    EXPECT_TRUE(Status().contains(U("可能不是本游戏的映像")));
}

TEST_F(WindowCommandsTest, ShortcutsReachTheirCommandsButEscAndEnterEndNothing)
{
    QTest::keyClick(window.get(), Qt::Key_F1); // the guide of the source tree run from, else About
    const bool guide =
        QFileInfo::exists(QCoreApplication::applicationDirPath() + U("/../docs/user-guide.md"));
    EXPECT_EQ(user.Asked(Prompt::Modal).at(0).caption, guide ? U("用户指南") : U("关于 Dravik静态修改器"));
    user.Clear();
    Shortcut(Qt::Key_S);
    EXPECT_TRUE(Messages().empty()) << "no save without a file";
    Shortcut(Qt::Key_O);
    EXPECT_EQ(ChooserCalls(), 1u);
    Load();
    Box(1052)->SetText(U("4321"));
    Shortcut(Qt::Key_S);
    ExpectMessage(QMessageBox::Information, U("保存成功!\t"));
    window->ShowPage(1);
    List(1004)->setFocus(); // from a list too, but there Ctrl+A selects every row
    Shortcut(Qt::Key_F);
    Shortcut(Qt::Key_A);
    EXPECT_EQ(Modals(), (std::vector<std::string>{"dravik::tools::CBaseConvDlg"}));
    EXPECT_EQ(List(1004)->selectionModel()->selectedRows().size(), List(1004)->model()->rowCount());
    window->setFocus();
    Shortcut(Qt::Key_A);
    EXPECT_EQ(Modals(), (std::vector<std::string>{"dravik::tools::CBaseConvDlg", "dravik::app::CAboutDlg"}));

    List(1004)->clearSelection();
    List(1004)->selectRow(2);
    for (QWidget* target : {static_cast<QWidget*>(List(1004)), static_cast<QWidget*>(window.get())})
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            Key(target, key);
    QApplication::processEvents();
    EXPECT_TRUE(window->isVisible() && window->GetSession().IsLoaded());
    EXPECT_EQ(Modals().size(), 4u) << "Return and Enter open the list's row editor, on the window nothing";

    window->ShowPage(6);
    Box(1052)->setFocus(); // in an edit box Ctrl+A selects the text, as in every text field
    Shortcut(Qt::Key_A);
    EXPECT_EQ(Modals().size(), 4u);
    EXPECT_EQ(Box(1052)->selectedText(), Box(1052)->Text());
}

using UnsavedEditsTest = WindowTest;
using LoadedEditsTest = LoadedWindowTest;
using WindowFilesTest = WindowTest;
using WindowSharingTest = LoadedWindowTest;

TEST_F(UnsavedEditsTest, LeavingAskedAndTheAnswerSavesDropsOrStaysOpenAskingBeforeItsFileDialog)
{
    TempImage second(Sample(2), "second.smc");
    const std::function<void()> leaves[] = {
        [this] { Action("actionClose")->trigger(); },
        [this, &second] { Open(second.Path()); },
        [this] { window->close(); },
    };
    for (const auto& leave : leaves) {
        for (const char* answer : {"取消", "不保存", "保存", ""}) { // "": Esc, or the close box
            SCOPED_TRACE(answer);
            ASSERT_TRUE(WriteFile(image.Path(), Sample(1)));
            window->show();
            if (window->GetSession().IsModified())
                user.AnswerButton(U("不保存"));
            Load();
            SetPrice(2, U("77"));
            user.Clear();
            if (*answer)
                user.AnswerButton(U(answer));
            leave();
            ASSERT_EQ(Questions(), std::vector<QString>{U("是否保存对 image.smc 的修改？")});
            EXPECT_EQ(user.Asked(Prompt::Message)[0].buttons,
                      QStringList({U("保存"), U("不保存"), U("取消")}));
            const bool stays = std::string(answer) == "取消" || !*answer;
            const app::Session& session = window->GetSession();
            EXPECT_EQ(session.IsLoaded() && session.Document().Path() == image.Path() && window->isVisible(),
                      stays);
            EXPECT_EQ(Get(image.Read(), 0xC0204, 2) == 77, std::string(answer) == "保存");
            EXPECT_TRUE(stays || !QFileInfo::exists(Record())) << "saved or dropped: nothing to offer back";
        }
    }
    // Without unsaved edits nothing is asked; an edit undone is none.
    window->show();
    Load();
    SetPrice(2, U("77"));
    Action("actionUndo")->trigger();
    user.Clear();
    Action("actionClose")->trigger();
    EXPECT_FALSE(window->GetSession().IsLoaded());
    EXPECT_TRUE(user.Asked(Prompt::Message).empty());

    // Open asks before its file dialog; edits let go there stay, with their record, until a file is chosen.
    Load();
    SetPrice(2, U("77"));
    QApplication::processEvents(); // the recovery record is written
    ASSERT_TRUE(QFileInfo::exists(Record()));
    user.Clear();
    user.AnswerButton(U("不保存")); // and no file: the dialog is cancelled
    Action("actionOpen")->trigger();
    ASSERT_EQ(user.Asked().size(), 2u);
    EXPECT_TRUE(user.Asked()[0].kind == Prompt::Message && user.Asked()[1].kind == Prompt::File);
    EXPECT_TRUE(window->GetSession().IsModified());
    EXPECT_TRUE(QFileInfo::exists(Record()));
    user.AnswerButton(U("不保存")); // and a file that cannot be opened
    user.AnswerFile(U("/nonexistent.smc"));
    Action("actionOpen")->trigger();
    EXPECT_TRUE(window->GetSession().IsModified() && QFileInfo::exists(Record()));
}

// Save As asks first (as Save does) when another program changed the open file, and keeps a backup.
TEST_F(LoadedEditsTest, SaveAsWritesTheEditsToANewFileThatBecomesTheOpenOneAndInvalidCellsAreRefused)
{
    SetPrice(2, U("77"));
    rom::Bytes theirs = Sample(1);
    Put(theirs, 0xC0200, 2, 7777); // item 1's price, by another program
    ASSERT_TRUE(WriteFile(image.Path(), theirs));
    const std::string copy = DataPath("copy.smc");
    ASSERT_TRUE(WriteFile(copy, Sample(2)));
    QApplication::setActiveWindow(window.get());
    for (const char* answer : {"取消", "覆盖"}) {
        user.AnswerFile(QString::fromStdString(copy));
        user.AnswerButton(U(answer));
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_FALSE(Questions().empty());
        EXPECT_TRUE(Questions().back().startsWith(U("image.smc 在打开后已被其他程序修改")));
    }
    EXPECT_EQ(user.Asked(Prompt::File).back().caption, U("另存为"));
    EXPECT_EQ(Messages().back().text, U("保存成功!\t"));
    rom::Bytes expected = Sample(1); // 覆盖 writes the window's values
    Put(expected, 0xC0204, 2, 77);
    EXPECT_EQ(ReadFile(copy), expected);
    EXPECT_EQ(ReadFile(copy + ".bak"), Sample(2)) << "the file replaced, kept once";
    EXPECT_EQ(image.Read(), theirs) << "the original stays as it was";
    EXPECT_EQ(window->GetSession().Document().Path(), copy);
    EXPECT_FALSE(window->GetSession().IsModified());
    EXPECT_EQ(Title(), U("Dravik静态修改器 - copy.smc"));

    // A refused value writes no file; Save, a patch and a comparison refuse it with Save's list of
    // cells before any file is chosen.
    Tables().Get("items").SetCell(3, 1, "12x");
    user.AnswerFile(QString::fromStdString(DataPath("refused.smc")));
    Action("actionSaveAs")->trigger();
    EXPECT_TRUE(Messages().back().text.startsWith(U("未另存："))) << Messages().back().text;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(DataPath("refused.smc"))));
    EXPECT_EQ(window->GetSession().Document().Path(), copy);
    const QString cellLine = Messages().back().text.section('\n', 1, 1);
    EXPECT_TRUE(cellLine.contains("12x")) << cellLine;
    for (const char* action : {"actionSave", "actionExportPatch", "actionCompare"}) {
        user.Clear();
        Action(action)->trigger();
        EXPECT_EQ(ChooserCalls(), 0u);
        ExpectMessage(QMessageBox::Critical, cellLine);
    }
    // With the open file gone, Save As to another name is still a Save As, and says it could not.
    Tables().Get("items").SetCell(3, 1, "12");
    ASSERT_TRUE(QFile::remove(QString::fromStdString(copy)));
    user.AnswerFile(QString::fromStdString(DataPath("other.smc")));
    Action("actionSaveAs")->trigger();
    EXPECT_TRUE(Messages().back().text.startsWith(U("未另存："))) << Messages().back().text;
}

TEST_F(WindowSharingTest, APatchTakesTheOriginalToTheOpenImageWithItsPendingEdits)
{
    const rom::Bytes onDisk = image.Read();
    const std::string original = DataPath("clean.smc");
    WriteFile(original, Sample(2));
    Tables().Get("items").SetCell(3, 1, "4321");
    rom::Bytes expected;
    ASSERT_TRUE(rom::ImageWithEdits(window->GetSession().Document(), expected).ok());

    // A name without a format, or the open image, is refused (each format's making is the core's).
    for (const std::string& target : {DataPath("mod.bps"), DataPath("mod.patch"), image.Path()}) {
        user.Clear();
        user.AnswerFile(QString::fromStdString(original));
        user.AnswerFile(QString::fromStdString(target));
        Action("actionExportPatch")->trigger();
        const bool made = target == DataPath("mod.bps");
        ExpectMessage(made ? QMessageBox::Information : QMessageBox::Warning, {});
        EXPECT_TRUE(image.Read() == onDisk);
        if (!made)
            continue;
        rom::Bytes result;
        std::string error;
        ASSERT_TRUE(Succeeded(
            rom::ApplyPatch(ReadFile(target), Sample(2), result, rom::IpsMadeFor::WithHeader), error))
            << error;
        EXPECT_TRUE(result == expected);
    }
    EXPECT_TRUE(ReadFile(original) == Sample(2));
}

TEST_F(WindowSharingTest, TheDiffListLeadsToTheFieldInTheWindow)
{
    rom::Bytes other = Sample(1);
    other[0xC0BFC + 3 * 5] ^= 1; // bounties row 5
    other[0x30151] ^= 1;         // the red wolf's HP, shown in a box
    other[0x100] ^= 1;           // outside every field
    const std::string otherPath = DataPath("other.smc");
    WriteFile(otherPath, other);
    window->GetSession().Apply(rom::Edit("monsters").SetCell(100, 9, "7"),
                               U("edit")); // a pending edit counts
    user.AnswerFile(QString::fromStdString(otherPath));
    Action("actionCompare")->trigger();
    auto* dialog = window->findChild<app::DiffDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const QString summary = dialog->findChild<QLabel*>(U("summary"))->text();
    EXPECT_TRUE(summary.contains(U("（含未保存的修改）"))) << summary;
    QTableWidget* list = dialog->findChild<QTableWidget*>(U("diffList"));
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 0)->text(), U("通辑犯"));
    EXPECT_EQ(list->item(2, 3)->text(), U("7"));
    EXPECT_TRUE(dialog->findChild<QLabel*>(U("runs"))->text().contains("0x000100"));

    const std::tuple<int, int, int, int> jumps[] = {{0, 5, 1032, 5},
                                                    {2, 7, 1058, 100}}; // item, page, list, row
    for (const auto& [item, page, shown, row] : jumps) {
        list->itemDoubleClicked(list->item(item, 2));
        EXPECT_EQ(Page(), page);
        EXPECT_EQ(List(shown)->currentIndex().row(), row);
    }
    list->itemDoubleClicked(list->item(1, 0));
    EXPECT_EQ(Page(), 6);
    EXPECT_EQ(image.Read(), Sample(1));
}

#if defined(Q_OS_UNIX)
// A settings file Qt would read blindly (wait on a FIFO, follow a link, read any size) is refused
// before it is read, left as it is, and the run keeps its settings elsewhere.
TEST(Settings, AnOddSettingsFileIsRefusedWithoutWaitingOnIt)
{
    const QString before = QFileInfo(QSettings().fileName()).absolutePath();
    const QString organization = QCoreApplication::organizationName();
    QCoreApplication::setOrganizationName(U("guarded"));
    QTemporaryDir dir;
    const QString file = dir.filePath(U("guarded/") + QCoreApplication::applicationName() + ".ini");
    const QByteArray name = QFile::encodeName(file);
    // clang-format off
    const std::vector<std::pair<const char*, std::function<bool()>>> cases = {
        {"fine",  [&] { return test::WriteFile(file.toStdString(), rom::Bytes{'[', ']'}); }},
        {"fifo",  [&] { return ::mkfifo(name.constData(), 0600) == 0; }},
        {"link",  [&] { return QFile::link(dir.filePath(U("elsewhere")), file); }},
        {"2 MiB", [&] { return test::WriteFile(file.toStdString(), rom::Bytes(2 << 20, '#')); }},
    };
    // clang-format on
    for (const auto& [kind, make] : cases) {
        SCOPED_TRACE(kind);
        QSettings::setPath(QSettings::defaultFormat(), QSettings::UserScope, dir.path());
        QDir(dir.filePath(U("guarded"))).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.filePath(U("guarded"))) && make());
        const QString refused = app::CEditorApp::GuardSettings();
        EXPECT_EQ(refused.isEmpty(), std::string(kind) == "fine") << refused;
        EXPECT_TRUE(refused.isEmpty() || refused.contains(file)) << refused;
        EXPECT_TRUE(refused.isEmpty() || !QSettings().fileName().startsWith(dir.path()))
            << "settings go elsewhere";
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
    ASSERT_TRUE(Messages().empty()) << Messages()[0].text;
    EXPECT_EQ(Status(), U("[文件]") + path + U(" (只读)"));
    EXPECT_TRUE(window->windowTitle().contains(U("只读")));
    EXPECT_FALSE(Action("actionSave")->isEnabled());
    EXPECT_FALSE(Button(1003)->isEnabled());

    // Row editors open read-only; price buttons and bound boxes do nothing.
    user.AnswerModal([](QDialog& dialog) { // a monster editor: its boxes and lists as they are
        EXPECT_TRUE(dialog.windowTitle().endsWith(U(" - 只读"))) << dialog.windowTitle();
        EXPECT_TRUE(Edit(&dialog, 1013)->isReadOnly());
        EXPECT_FALSE(Combo(&dialog, 1023)->isEnabled());
        EXPECT_FALSE(dialog.findChild<QPushButton*>(U("button1"))->isEnabled());
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
    ExpectMessage(QMessageBox::Critical, U("只读"));
    EXPECT_EQ(image.Read(), Sample(1));

    // The next writable file (here a plain dump without the copier header) is editable again.
    TempImage plain(rom::MakeSampleImage(2, false), "plain.sfc");
    Open(plain.Path());
    EXPECT_EQ(Status(), U("[文件]") + QString::fromStdString(plain.Path()) + U(" (无文件头)"));
    EXPECT_EQ(Title(), U("Dravik静态修改器 - plain.sfc"));
    EXPECT_TRUE(Button(1003)->isEnabled());
    EXPECT_TRUE(Button(1030)->isEnabled());
    EXPECT_FALSE(Box(1052)->isReadOnly());
}

// 保存时备份 (on by default) and 保存时修正校验和 (off) reach the document and the next window.
TEST_F(WindowFilesTest, SaveOptionsReachTheDocumentAndAreRemembered)
{
    for (const auto& [action, byDefault] :
         {std::pair{"actionBackupOnSave", true}, {"actionFixChecksumOnSave", false}}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(Action(action)->isChecked(), byDefault);
        for (const bool on : {!byDefault, byDefault}) {
            Action(action)->setChecked(on);
            Load();
            app::CEditorDlg second(user);
            for (app::CEditorDlg* w : {window.get(), &second}) {
                const rom::RomDocument& doc = w->GetSession().Document();
                EXPECT_EQ(byDefault ? doc.BackupOnSave() : doc.FixChecksumOnSave(), on);
            }
            EXPECT_EQ(second.findChild<QAction*>(QString::fromLatin1(action))->isChecked(), on);
        }
    }
}

class WindowRecentTest : public WindowTest {
protected:
    QString MakeImage(const QString& name) const
    {
        const QString path = files.filePath(name);
        EXPECT_TRUE(WriteFile(path.toStdString(), Sample(1)));
        return path;
    }

    // The entries (text, tool tip) once the user opens 文件 and then the submenu, if enabled.
    static std::vector<std::pair<QString, QString>> Shown(app::CEditorDlg& w)
    {
        auto* menu = w.findChild<QMenu*>(U("menuRecentFiles"));
        emit qobject_cast<QMenu*>(menu->parent())->aboutToShow();
        if (menu->menuAction()->isEnabled())
            emit menu->aboutToShow();
        std::vector<std::pair<QString, QString>> shown;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(U("actionRecent")))
                shown.emplace_back(a->text(), a->toolTip());
        return shown;
    }

    // Drags urls (and as text, Shift held: a move) over target as a file manager does; true if dropped.
    bool Drop(QWidget* target, const QList<QUrl>& urls)
    {
        QMimeData mime;
        mime.setUrls(urls);
        QStringList text;
        for (const QUrl& url : urls)
            text << url.toString();
        mime.setText(text.join('\n'));
        const QPoint at(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(target, &enter);
        if (enter.isAccepted()) {
            EXPECT_EQ(enter.dropAction(), Qt::CopyAction); // never moves the user's file
            QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::ShiftModifier);
            QApplication::sendEvent(target, &drop);
        }
        QApplication::processEvents(); // the Open follows the drop
        return enter.isAccepted();
    }

    QTemporaryDir files;
};

// The windows share one list of files and the folder the Open dialog starts in, the last image's.
TEST_F(WindowRecentTest, TwoWindowsShareOneListNewestFirstEightAtMostEachFileOnceAndTheLastFolder)
{
    const auto startedAt = [this] {
        user.Clear();
        Action("actionOpen")->trigger(); // cancelled: nothing queued
        const Prompt asked = user.Asked(test::Prompt::File).at(0);
        EXPECT_EQ(asked.text, U("SMC File (*.smc *.sfc);;所有文件 (*)")); // the game's files first
        return asked.path;
    };
    EXPECT_EQ(startedAt(), QString()); // nothing opened yet: where it always started
    app::CEditorDlg other(user);
    other.GetSession().SetRecoveryFolder({});
    EXPECT_TRUE(Shown(other).empty());
    QMenu* otherMenu = other.findChild<QMenu*>(U("menuRecentFiles"));
    EXPECT_FALSE(otherMenu->menuAction()->isEnabled());

    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
        paths << MakeImage(U("img%1.smc").arg(i));
        Open(paths.last().toStdString());
    }
    // The other window sees them when its menu opens next: newest first, the oldest gone.
    auto shown = Shown(other);
    ASSERT_EQ(shown.size(), 8u);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(shown[n - 1], std::make_pair(U("&%1 img%2.smc").arg(n).arg(10 - n), paths[9 - n]));
    EXPECT_TRUE(otherMenu->menuAction()->isEnabled());

    // A symbolic link to a listed file is that entry, moved to the top under the name opened.
    const QString link = dataFolder.filePath(U("link.smc"));
    ASSERT_TRUE(QFile::link(paths[4], link));
    ASSERT_TRUE(other.OpenFile(link));
    EXPECT_EQ(startedAt(), dataFolder.path()) << "any window's last Open counts";
    shown = Shown(*window);
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[0].second, link);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_NE(shown[i].second, paths[4]);

    // Choosing an entry opens it as Open does and brings it to the top.
    Action("actionRecent2")->trigger();
    ExpectState(paths[8].toStdString(), 1);
    EXPECT_EQ(Shown(other)[0].second, paths[8]);

    // An entry that no longer opens is removed with a message; a file not on the list leaves it alone.
    QFile::remove(paths[7]);
    ASSERT_EQ(Shown(*window).at(2).second, paths[7]);
    user.Clear();
    Action("actionRecent3")->trigger();
    ExpectMessage(QMessageBox::Warning, paths[7]);
    EXPECT_TRUE(Messages().at(0).text.endsWith(U("已将它从“最近打开的文件”中移除。")));
    ExpectState(paths[8].toStdString());
    EXPECT_EQ(Shown(*window).size(), 7u);
    user.Clear();
    Open(files.filePath(U("never.smc")).toStdString());
    EXPECT_FALSE(Messages().at(0).text.contains(U("最近打开的文件")));
    EXPECT_EQ(Shown(*window).size(), 7u);

    Open(MakeImage(U("a&b.smc")).toStdString()); // "&" is shown, not an accelerator
    EXPECT_EQ(Shown(other)[0].first, U("&1 a&&b.smc"));
    ASSERT_TRUE(files.remove()); // the last image's folder is gone
    EXPECT_EQ(startedAt(), QString());

    Action("actionClearRecent")->trigger();
    EXPECT_TRUE(Shown(other).empty());
    EXPECT_FALSE(otherMenu->menuAction()->isEnabled());
}

TEST_F(WindowRecentTest, ADroppedLocalFileOpensAsOpenDoes)
{
    const QString first = MakeImage(U("first.smc"));
    const QString second = MakeImage(U("second.smc"));
    const QUrl web(U("https://example.com/game.smc"));

    EXPECT_FALSE(Drop(window.get(), {web}));
    EXPECT_FALSE(Drop(window.get(), {QUrl::fromLocalFile(files.path())})); // a folder

    // Web addresses are passed over; of several files only the first opens, and joins the list.
    EXPECT_TRUE(Drop(window.get(), {web, QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}));
    ExpectState(first.toStdString(), 1);
    EXPECT_EQ(Shown(*window).at(0).second, first);

    // Dropped on an edit box, the file is opened, not typed into the box.
    const QString wolf = Box(1052)->Text();
    EXPECT_TRUE(Drop(Box(1052), {QUrl::fromLocalFile(second)}));
    ExpectState(second.toStdString(), 1);
    EXPECT_EQ(Box(1052)->Text(), wolf);
    EXPECT_TRUE(user.Asked().empty());
}

} // namespace
} // namespace dravik::test
