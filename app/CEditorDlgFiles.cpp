// The window's side of real files: 文件 → 最近打开的文件, images dropped onto the window, and the
// folder the Open dialog starts in. The list lives in the settings store every window shares, so
// each reads it afresh when it is about to show it, and writes it at once after an Open.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include <functional>

#include "app/CEditorDlg.h"

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

// The file a drag carries: its first local file that is not a folder. Anything else (web
// addresses, text, folders) is not ours to take.
QString DraggedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return QFileInfo(url.toLocalFile()).isDir() ? QString() : url.toLocalFile();
    return {};
}

// A drop must never move the file away from where it came from: it is taken as a copy.
bool TakeAsCopy(QDropEvent* event)
{
    if (DraggedFile(event->mimeData()).isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

// The edit boxes would take a dropped file's path as text; a file is for the window to open.
class FileDrops : public QObject {
public:
    FileDrops(QObject* parent, std::function<void(QDropEvent*)> drop)
        : QObject(parent), drop_(std::move(drop))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (DraggedFile(drag->mimeData()).isEmpty())
                break; // text and the like go to the box as before
            if (event->type() == QEvent::Drop)
                drop_(drag);
            else
                TakeAsCopy(drag);
            return true;
        }
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QDropEvent*)> drop_;
};

} // namespace

void CEditorDlg::AddRecentItems(QMenu* file)
{
    recentMenu_ = file->addMenu(tr("最近打开的文件(&R)"));
    recentMenu_->setObjectName(QStringLiteral("menuRecentFiles"));
    recentMenu_->setToolTipsVisible(true);
    // Another window may have opened a file since: the list is read whenever it may be seen,
    // and only then (start-up reads nothing for it).
    connect(file, &QMenu::aboutToShow, this, &CEditorDlg::RefreshRecentMenu);
    connect(recentMenu_, &QMenu::aboutToShow, this, &CEditorDlg::RefreshRecentMenu);
}

void CEditorDlg::RefreshRecentMenu()
{
    // An entry may be refreshing the menu from its own triggered(): the old ones go later.
    for (QAction* old : recentMenu_->actions()) {
        recentMenu_->removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    const QStringList paths = ReadRecent();
    for (int i = 0; i < paths.size() && i < kMaxRecent; ++i) {
        const QString path = paths[i];
        QString name = QFileInfo(path).fileName();
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name.replace('&', "&&")));
        a->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(tr("清除列表(&C)"));
    clear->setObjectName(QStringLiteral("actionClearRecent"));
    connect(clear, &QAction::triggered, this, [this] {
        WriteRecent({});
        RefreshRecentMenu();
    });
    recentMenu_->menuAction()->setEnabled(!paths.isEmpty());
}

// Opens an entry as Open does; an entry that no longer opens (gone, moved, unreadable, no
// longer an image) leaves the list, and the message that says why also says that.
void CEditorDlg::OpenRecent(const QString& path)
{
    if (!SettleUnsavedEdits())
        return;
    if (!OpenFile(path, u'\n' + tr("\n已将它从“最近打开的文件”中移除。")))
        WriteRecent(Without(ReadRecent(), path));
}

// Called after every successful Open: the file goes to the top, once, and the list keeps the
// newest entries. An Open of the file already on top writes nothing.
void CEditorDlg::RememberOpened(const QString& path)
{
    const QStringList before = ReadRecent();
    QStringList after = Without(before, path);
    after.prepend(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (after.size() > kMaxRecent)
        after.removeLast();
    if (after != before)
        WriteRecent(after);
}

// The folder of the last image opened (by any window) while it is still there; otherwise the
// dialog starts where it always did.
QString CEditorDlg::OpenDialogFolder() const
{
    const QStringList paths = ReadRecent();
    if (paths.isEmpty())
        return {};
    const QFileInfo folder(QFileInfo(paths.first()).absolutePath());
    return folder.isDir() ? folder.absoluteFilePath() : QString();
}

void CEditorDlg::AcceptFileDrops()
{
    setAcceptDrops(true);
    fileDrops_ = new FileDrops(this, [this](QDropEvent* event) { dropEvent(event); });
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(fileDrops_);
}

void CEditorDlg::dragEnterEvent(QDragEnterEvent* event) { TakeAsCopy(event); }

void CEditorDlg::dropEvent(QDropEvent* event)
{
    if (!TakeAsCopy(event))
        return;
    // Opened once the drop is over: a message box shown inside it would hold up the program
    // the file was dragged from until it is answered.
    const QString path = QFileInfo(DraggedFile(event->mimeData())).absoluteFilePath();
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (SettleUnsavedEdits())
                OpenFile(path);
        },
        Qt::QueuedConnection);
}

} // namespace dravik::app
