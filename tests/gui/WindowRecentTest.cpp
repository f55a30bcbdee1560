// 文件 → 最近打开的文件, files dropped onto the window, and where the Open dialog starts and what it offers.
#include "WindowFixture.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace dravik::test {
namespace {

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
        auto* menu = w.findChild<QMenu*>(QStringLiteral("menuRecentFiles"));
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

    // Drags urls over target as a file manager does (the addresses, and the same as text, with
    // Shift held, which proposes a move) and drops them if the drag is accepted; true when it was.
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

TEST_F(WindowRecentTest, TwoWindowsShareOneListNewestFirstEightAtMostEachFileOnce)
{
    app::CEditorDlg other(user);
    other.GetSession().SetRecoveryFolder({});
    EXPECT_TRUE(Shown(other).empty());
    QMenu* otherMenu = other.findChild<QMenu*>(QStringLiteral("menuRecentFiles"));
    EXPECT_FALSE(otherMenu->menuAction()->isEnabled());

    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
        paths << MakeImage(QStringLiteral("img%1.smc").arg(i));
        Open(paths.last().toStdString());
    }
    // The other window sees them when its menu opens next: newest first, the oldest gone.
    auto shown = Shown(other);
    ASSERT_EQ(shown.size(), 8u);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(shown[n - 1],
                  std::make_pair(QStringLiteral("&%1 img%2.smc").arg(n).arg(10 - n), paths[9 - n]));
    EXPECT_TRUE(otherMenu->menuAction()->isEnabled());

    // A symbolic link to a listed file is that entry, moved to the top under the name opened.
    const QString link = files.filePath(QStringLiteral("link.smc"));
    ASSERT_TRUE(QFile::link(paths[4], link));
    ASSERT_TRUE(other.OpenFile(link));
    shown = Shown(*window);
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[0].second, link);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_NE(shown[i].second, paths[4]);

    // Choosing an entry opens it as Open does and brings it to the top.
    Entry(*window, 2)->trigger();
    ExpectState(paths[8].toStdString(), 1);
    EXPECT_EQ(Shown(other)[0].second, paths[8]);

    Open(MakeImage(QStringLiteral("a&b.smc")).toStdString()); // "&" is shown, not an accelerator
    EXPECT_EQ(Shown(other)[0].first, QStringLiteral("&1 a&&b.smc"));

    window->findChild<QAction*>(QStringLiteral("actionClearRecent"))->trigger();
    EXPECT_TRUE(Shown(other).empty());
    EXPECT_FALSE(otherMenu->menuAction()->isEnabled());
}

// An entry that no longer opens is removed with a message; a refused Open of a file not on the
// list says nothing of the list and leaves it alone.
TEST_F(WindowRecentTest, AnEntryThatNoLongerOpensIsRemovedWithAMessage)
{
    const QString gone = MakeImage(QStringLiteral("gone.smc"));
    const QString kept = MakeImage(QStringLiteral("kept.smc"));
    Open(gone.toStdString());
    Open(kept.toStdString());
    QFile::remove(gone);
    ASSERT_EQ(Shown(*window).size(), 2u); // the entries are made when the menu opens
    Entry(*window, 2)->trigger();
    ASSERT_EQ(Messages().size(), 1u);
    const QString text = Messages()[0].text;
    EXPECT_TRUE(text.contains(gone) && text.endsWith(U("已将它从“最近打开的文件”中移除。")))
        << text.toStdString();
    ExpectState(kept.toStdString()); // the window keeps what it had
    ASSERT_EQ(Shown(*window).size(), 1u);
    EXPECT_EQ(Shown(*window)[0].second, kept);

    user.Clear();
    Open(files.filePath(QStringLiteral("never.smc")).toStdString());
    EXPECT_FALSE(Messages().at(0).text.contains(U("最近打开的文件")));
    EXPECT_EQ(Shown(*window).size(), 1u);
}

TEST_F(WindowRecentTest, ADroppedLocalFileOpensAsOpenDoes)
{
    const QString first = MakeImage(QStringLiteral("first.smc"));
    const QString second = MakeImage(QStringLiteral("second.smc"));
    const QUrl web(QStringLiteral("https://example.com/game.smc"));

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

TEST_F(WindowRecentTest, TheOpenDialogStartsInTheFolderOfTheLastImage)
{
    auto startedAt = [this] {
        user.Clear();
        Action("actionOpen")->trigger(); // cancelled: nothing queued
        const Prompt asked = user.Asked(test::Prompt::File).at(0);
        EXPECT_EQ(asked.text, U("SMC File (*.smc *.sfc);;所有文件 (*)")); // the game's files first
        return asked.path;
    };
    EXPECT_EQ(startedAt(), QString()); // nothing opened yet: where it always started

    Load();
    EXPECT_EQ(startedAt(), QFileInfo(QString::fromStdString(image.Path())).absolutePath());

    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(QStringLiteral("image.smc"));
    ASSERT_TRUE(WriteFile(path.toStdString(), Sample(1)));
    app::CEditorDlg other(user); // any window's last Open counts
    other.GetSession().SetRecoveryFolder({});
    ASSERT_TRUE(other.OpenFile(path));
    EXPECT_EQ(startedAt(), elsewhere.path());

    ASSERT_TRUE(elsewhere.remove()); // the last image's folder is gone
    EXPECT_EQ(startedAt(), QString());
}

} // namespace
} // namespace dravik::test
