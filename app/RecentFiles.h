#pragma once
// 文件 → 最近打开的文件 and the folder the Open dialog starts in. The list lives in the settings
// store every window shares, so each reads it afresh when it is about to show it, and writes it at
// once after an Open.
#include <QObject>
#include <QString>

#include <functional>

class QMenu;

namespace dravik::app {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    // Opens a file as the window's Open does, with note added to the message of a refusal; false
    // only when the file was refused (not when the user chose to stay with the open one).
    using Open = std::function<bool(const QString& path, const QString& noteIfRefused)>;

    RecentFiles(QObject* parent, Open open);

    void AddItems(QMenu* file);
    // After every successful Open: the file goes to the top, once, and the list keeps the newest
    // entries. An Open of the file already on top writes nothing.
    void Remember(const QString& path);
    // The folder of the last image opened (by any window) while it is still there; otherwise
    // empty, and the dialog starts where it always did.
    QString OpenFolder() const;

private:
    void Refresh();
    void OpenEntry(const QString& path);

    Open open_;
    QMenu* menu_ = nullptr;
};

} // namespace dravik::app
