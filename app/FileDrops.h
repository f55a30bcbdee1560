#pragma once
// Image files dropped onto the window, or onto one of its edit boxes (which would otherwise take
// the file's path as text), are opened as the Open command opens them.
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace dravik::app {

class FileDrops : public QObject {
    Q_OBJECT
public:
    // Takes the drops onto window and the edit boxes it has now; open is called with the file's
    // absolute path once the drop is over.
    FileDrops(QWidget* window, std::function<void(const QString& path)> open);
    // The edit boxes of a page made later.
    void Watch(QWidget* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString& path)> open_;
};

} // namespace dravik::app
