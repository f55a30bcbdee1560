#include "app/FileDrops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace dravik::app {

namespace {

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
void TakeAsCopy(QDropEvent* event)
{
    if (!(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace

FileDrops::FileDrops(QWidget* window, std::function<void(const QString& path)> open)
    : QObject(window), open_(std::move(open))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    Watch(window);
}

void FileDrops::Watch(QWidget* page)
{
    for (QLineEdit* box : page->findChildren<QLineEdit*>())
        box->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drag = static_cast<QDropEvent*>(event);
        const QString file = DraggedFile(drag->mimeData());
        if (file.isEmpty())
            break; // text and the like go to the box as before
        TakeAsCopy(drag);
        if (event->type() != QEvent::Drop || !drag->isAccepted())
            return true;
        // Opened once the drop is over: a message box shown inside it would hold up the program
        // the file was dragged from until it is answered.
        const QString path = QFileInfo(file).absoluteFilePath();
        QMetaObject::invokeMethod(
            this, [this, path] { open_(path); }, Qt::QueuedConnection);
        return true;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::app
