#include "app/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace dravik::app {

namespace {

const char* const kRecentKey = "recentFiles";
constexpr int kMaxRecent = 8;

QString Key() { return QString::fromLatin1(kRecentKey); }

QStringList ReadRecent() { return QSettings().value(Key()).toStringList(); }

void WriteRecent(const QStringList& paths)
{
    QSettings settings;
    if (paths.isEmpty())
        settings.remove(Key());
    else
        settings.setValue(Key(), paths);
}

// One file under another spelling (a symbolic link, "..", a doubled slash) is one entry; a
// file that is gone is compared by its absolute path.
QString Identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QStringList Without(QStringList paths, const QString& path)
{
    const QString identity = Identity(path);
    paths.removeIf([&identity](const QString& p) { return Identity(p) == identity; });
    return paths;
}

} // namespace

RecentFiles::RecentFiles(QObject* parent, Open open) : QObject(parent), open_(std::move(open)) {}

void RecentFiles::AddItems(QMenu* file)
{
    menu_ = file->addMenu(tr("最近打开的文件(&R)"));
    menu_->setObjectName(QStringLiteral("menuRecentFiles"));
    menu_->setToolTipsVisible(true);
    // Another window may have opened a file since: the list is read whenever it may be seen,
    // and only then (start-up reads nothing for it).
    connect(file, &QMenu::aboutToShow, this, &RecentFiles::Refresh);
    connect(menu_, &QMenu::aboutToShow, this, &RecentFiles::Refresh);
}

void RecentFiles::Refresh()
{
    // An entry may be refreshing the menu from its own triggered(): the old ones go later.
    for (QAction* old : menu_->actions()) {
        menu_->removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    const QStringList paths = ReadRecent();
    for (int i = 0; i < paths.size() && i < kMaxRecent; ++i) {
        const QString path = paths[i];
        QString name = QFileInfo(path).fileName();
        QAction* a = menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name.replace('&', "&&")));
        a->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenEntry(path); });
    }
    menu_->addSeparator();
    QAction* clear = menu_->addAction(tr("清除列表(&C)"));
    clear->setObjectName(QStringLiteral("actionClearRecent"));
    connect(clear, &QAction::triggered, this, [this] {
        WriteRecent({});
        Refresh();
    });
    menu_->menuAction()->setEnabled(!paths.isEmpty());
}

// Opens an entry as Open does; an entry that no longer opens (gone, moved, unreadable, no
// longer an image) leaves the list, and the message that says why also says that.
void RecentFiles::OpenEntry(const QString& path)
{
    if (!open_(path, u'\n' + tr("\n已将它从“最近打开的文件”中移除。")))
        WriteRecent(Without(ReadRecent(), path));
}

void RecentFiles::Remember(const QString& path)
{
    const QStringList before = ReadRecent();
    QStringList after = Without(before, path);
    after.prepend(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (after.size() > kMaxRecent)
        after.removeLast();
    if (after != before)
        WriteRecent(after);
}

QString RecentFiles::OpenFolder() const
{
    const QStringList paths = ReadRecent();
    if (paths.isEmpty())
        return {};
    const QFileInfo folder(QFileInfo(paths.first()).absolutePath());
    return folder.isDir() ? folder.absoluteFilePath() : QString();
}

} // namespace dravik::app
