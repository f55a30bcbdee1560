#pragma once
// The reference image from the window's side: the 文件 menu's 设置参照映像 and 清除参照映像, the
// reference remembered for each image (set again when that image is opened, carried over by a
// Save As), and the status line's count of the cells that differ from it. The session holds the
// image and its marks; this holds what the user chose.
#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

class Session;

class ReferencePicker : public QObject {
    Q_OBJECT
public:
    // Questions go to prompts over window; a file dialog starts in the folder openFolder gives.
    ReferencePicker(Session& session, widgets::Prompts& prompts, QWidget* window,
                    std::function<QString()> openFolder);

    void AddItems(QMenu* file);
    // 设置参照映像…: asks for the image, then Use.
    void Choose();
    // Compares every cell with the image at path (remembered for the open image); false (and a
    // message with the reason) when it is refused, which changes nothing.
    bool Use(const QString& path);
    void UseRemembered();    // after an Open: the reference last used with this image, or none
    void KeepForSavedAs();   // after a Save As: the new file has the reference the image had
    QString Summary() const; // for the status line; empty without a reference

private:
    Session& session_;
    widgets::Prompts& prompts_;
    QWidget* window_;
    std::function<QString()> openFolder_;
};

} // namespace dravik::app
