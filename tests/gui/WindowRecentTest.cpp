// 文件 → 最近打开的文件, files dropped onto the window, and the folder the Open dialog starts in.
#include "WindowFixture.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

namespace dravik::test {
namespace {

class WindowRecentTest : public WindowTest {
protected:
    void SetUp() override
    {
        QSettings().remove(QStringLiteral("recentFiles")); // every test starts with no list
        WindowTest::SetUp();
    }

    // Writes the sample image under name in this test's folder and returns its path.
    QString MakeImage(const QString& name) const
    {
        const QString path = files.filePath(name);
        EXPECT_TRUE(WriteFile(path.toStdString(), Sample(1)));
        return path;
    }

    // What the submenu shows once the user opens 文件 (and then the submenu, where it is enabled):
    // each entry's text and tool tip.
    static std::vector<std::pair<QString, QString>> Shown(app::CEditorDlg& w)
    {
        auto* menu = w.findChild<QMenu*>(QStringLiteral("menuRecentFiles"));
        EXPECT_NE(menu, nullptr);
        emit qobject_cast<QMenu*>(menu->parent())->aboutToShow();
        if (menu->menuAction()->isEnabled())
            emit menu->aboutToShow();
        std::vector<std::pair<QString, QString>> shown;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(QStringLiteral("actionRecent")))
                shown.emplace_back(a->text(), a->toolTip());
        return shown;
    }
    static QAction* Entry(app::CEditorDlg& w, int n)
    {
        return w.findChild<QAction*>(QStringLiteral("actionRecent%1").arg(n));
    }
    static bool MenuEnabled(app::CEditorDlg& w)
    {
        return w.findChild<QMenu*>(QStringLiteral("menuRecentFiles"))->menuAction()->isEnabled();
    }

    void Drop(QWidget* target, const QList<QUrl>& urls, bool* accepted = nullptr)
    {
        QMimeData mime; // as file managers offer it: the addresses, and the same as text
        mime.setUrls(urls);
        QStringList text;
        for (const QUrl& url : urls)
            text << url.toString();
        mime.setText(text.join('\n'));
        const QPointF at(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (accepted)
            *accepted = enter.isAccepted();
        if (enter.isAccepted()) {
            EXPECT_EQ(enter.dropAction(), Qt::CopyAction); // never moves the user's file
            QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
        }
        QApplication::processEvents(); // the Open follows the drop
    }

    QTemporaryDir files;
};

TEST_F(WindowRecentTest, TwoWindowsShareOneListNewestFirstEightAtMostEachFileOnce)
{
    app::CEditorDlg other;
    other.SetRecoveryFolder(dataFolder.path() + QStringLiteral("/recovery-other"));
    EXPECT_TRUE(Shown(other).empty());
    EXPECT_FALSE(MenuEnabled(other));

    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
        paths << MakeImage(QStringLiteral("img%1.smc").arg(i));
        Open(paths.last().toStdString());
    }
    ASSERT_TRUE(Messages().empty());

    // The other window sees them the next time its menu opens: the newest first, the first one gone.
    auto shown = Shown(other);
    ASSERT_EQ(shown.size(), 8u);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(shown[n - 1].first, QStringLiteral("&%1 img%2.smc").arg(n).arg(10 - n));
        EXPECT_EQ(shown[n - 1].second, paths[9 - n]);
    }
    EXPECT_TRUE(MenuEnabled(other));

    // Another spelling of a listed file (a symbolic link, "..") is that entry, moved to the top.
    ASSERT_TRUE(QDir(files.path()).mkdir(QStringLiteral("sub")));
    const QString link = files.filePath(QStringLiteral("link.smc"));
    ASSERT_TRUE(QFile::link(paths[4], link));
    struct Spelling {
        QString path;
        QString top;
    };
    for (const Spelling& s :
         {Spelling{files.filePath(QStringLiteral("sub/../img3.smc")), paths[2]}, Spelling{link, link}}) {
        ASSERT_TRUE(other.OpenFile(s.path));
        shown = Shown(*window);
        ASSERT_EQ(shown.size(), 8u) << s.path.toStdString();
        EXPECT_EQ(shown[0].second, s.top);
        for (size_t i = 1; i < shown.size(); ++i)
            EXPECT_NE(QFileInfo(shown[i].second).canonicalFilePath(), QFileInfo(s.path).canonicalFilePath());
    }
    EXPECT_EQ(shown[1].second, paths[2]);
    EXPECT_EQ(shown[2].second, paths[8]);

    // Choosing an entry opens it as Open does and brings it to the top.
    Entry(*window, 3)->trigger();
    EXPECT_EQ(window->Document().Path(), paths[8].toStdString());
    ExpectState(paths[8].toStdString(), 1);
    EXPECT_EQ(Shown(other)[0].second, paths[8]);
    EXPECT_EQ(ChooserCalls(), 9u); // the entry itself asks nothing

    // A file name with "&" shows it rather than taking it as an accelerator.
    Open(MakeImage(QStringLiteral("a&b.smc")).toStdString());
    EXPECT_EQ(Shown(other)[0].first, QStringLiteral("&1 a&&b.smc"));

    window->findChild<QAction*>(QStringLiteral("actionClearRecent"))->trigger();
    EXPECT_FALSE(MenuEnabled(*window));
    EXPECT_TRUE(Shown(other).empty());
    EXPECT_FALSE(MenuEnabled(other));
}

TEST_F(WindowRecentTest, AnEntryThatNoLongerOpensIsRemovedWithAMessage)
{
    struct Case {
        const char* what;
        std::function<void(const QString&)> spoil;
        const char* reason;
    };
    const Case cases[] = {
        {"deleted", [](const QString& p) { QFile::remove(p); }, "文件不存在"},
        {"cut short", [](const QString& p) { QFile(p).resize(0x1000); }, "无法打开文件"},
    };
    for (const Case& c : cases) {
        user.Clear();
        const QString gone = MakeImage(QStringLiteral("gone.smc"));
        const QString kept = MakeImage(QStringLiteral("kept.smc"));
        Open(gone.toStdString());
        Open(kept.toStdString());
        c.spoil(gone);

        ASSERT_EQ(Shown(*window).size(), 2u);
        Entry(*window, 2)->trigger();
        ASSERT_EQ(Messages().size(), 1u) << c.what;
        EXPECT_EQ(Messages()[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(Messages()[0].text.contains(U(c.reason))) << Messages()[0].text.toStdString();
        EXPECT_TRUE(Messages()[0].text.contains(gone));
        EXPECT_TRUE(Messages()[0].text.endsWith(U("已将它从“最近打开的文件”中移除。")));
        ExpectState(kept.toStdString()); // the window keeps what it had
        const auto shown = Shown(*window);
        ASSERT_EQ(shown.size(), 1u) << c.what;
        EXPECT_EQ(shown[0].second, kept);
    }

    // A refused Open of a file that is not on the list leaves the list alone.
    user.Clear();
    Open(files.filePath(QStringLiteral("never.smc")).toStdString());
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_FALSE(Messages()[0].text.contains(U("最近打开的文件")));
    EXPECT_EQ(Shown(*window).size(), 1u);
}

TEST_F(WindowRecentTest, ADroppedLocalFileOpensAsOpenDoes)
{
    const QString first = MakeImage(QStringLiteral("first.smc"));
    const QString second = MakeImage(QStringLiteral("second.smc"));
    const QUrl web(QStringLiteral("https://example.com/game.smc"));
    bool accepted = true;

    // Nothing local: the drag is refused and nothing happens.
    Drop(window.get(), {web}, &accepted);
    EXPECT_FALSE(accepted);
    Drop(window.get(), {QUrl::fromLocalFile(files.path())}, &accepted); // a folder
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(window->IsLoaded());

    // Web addresses are passed over; of several files only the first opens.
    Drop(window.get(), {web, QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}, &accepted);
    EXPECT_TRUE(accepted);
    ExpectState(first.toStdString(), 1);
    EXPECT_EQ(Shown(*window)[0].second, first);

    // Dropped on an edit box, the file is opened, not typed into the box.
    const QString wolf = Box(1052)->Text();
    Drop(Box(1052), {QUrl::fromLocalFile(second)}, &accepted);
    EXPECT_TRUE(accepted);
    ExpectState(second.toStdString(), 1);
    EXPECT_EQ(Box(1052)->Text(), wolf);

    // A file Open refuses is refused with Open's message; the window keeps what it had.
    ASSERT_TRUE(QFile(first).resize(100));
    Drop(window.get(), {QUrl::fromLocalFile(first)});
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.startsWith(U("无法打开文件 ") + first))
        << Messages()[0].text.toStdString();
    ExpectState(second.toStdString(), 1);
    EXPECT_EQ(ChooserCalls(), 0u);
}

TEST_F(WindowRecentTest, TheOpenDialogStartsInTheFolderOfTheLastImage)
{
    auto startedAt = [this] {
        user.Clear();
        Action("actionOpen")->trigger(); // cancelled: nothing queued
        const auto asked = user.Asked(widgets::Prompt::File);
        EXPECT_EQ(asked.size(), 1u);
        return asked.empty() ? QStringLiteral("?") : asked[0].path;
    };
    EXPECT_EQ(startedAt(), QString()); // nothing opened yet: where it always started

    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(QStringLiteral("image.smc"));
    ASSERT_TRUE(WriteFile(path.toStdString(), Sample(1)));
    app::CEditorDlg other; // any window's last Open counts
    ASSERT_TRUE(other.OpenFile(path));
    EXPECT_EQ(startedAt(), elsewhere.path());

    Load();
    EXPECT_EQ(startedAt(), QFileInfo(QString::fromStdString(image.Path())).absolutePath());

    ASSERT_TRUE(other.OpenFile(path));
    ASSERT_TRUE(elsewhere.remove()); // the last image's folder is gone
    EXPECT_EQ(startedAt(), QString());
}

} // namespace
} // namespace dravik::test
