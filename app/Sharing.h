#pragma once
// Sharing a mod from the window: the 文件 menu's 导出补丁 (a patch from a clean original to the
// open image with its pending edits) and 与其他映像比较 (the field diff against another image, in
// a list beside the window). Neither writes the open image.
#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

class Session;

class Sharing : public QObject {
    Q_OBJECT
public:
    // Questions go to prompts over window.
    Sharing(Session& session, widgets::Prompts& prompts, QWidget* window);

    void AddItems(QMenu* file);
    void SetEnabled(bool loaded); // the items need a loaded file, read-only or not
    void ExportPatch();
    void Compare();

signals:
    // A double-click on a field of the comparison.
    void FieldChosen(const QString& tableId, int row);

private:
    // The open image as a patch or a comparison takes it: with its unsaved edits, when it has any.
    QString ThisImage() const;

    Session& session_;
    widgets::Prompts& prompts_;
    QWidget* window_;
    std::vector<QAction*> actions_;
};

} // namespace dravik::app
