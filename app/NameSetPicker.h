#pragma once
// Name sets from the window's side: the 文件 menu's 载入名称表… and 使用内置名称表, and the folder
// remembered across runs. The session holds the set in use and says when it changes.
#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

class Session;

class NameSetPicker : public QObject {
    Q_OBJECT
public:
    // Questions go to prompts over window.
    NameSetPicker(Session& session, widgets::Prompts& prompts, QWidget* window);

    void AddItems(QMenu* file);
    // 载入名称表…: asks for a folder, Use, and remembers it when it was taken.
    void Choose();
    // 使用内置名称表: the built-in names, remembered for the next run.
    void UseBuiltIn();
    // Makes a folder of name files the active set; false (and a message with every reason) when
    // it is refused, which changes nothing.
    bool Use(const QString& folder);
    // At start: the folder chosen last time, if any.
    void UseRemembered();

private:
    Session& session_;
    widgets::Prompts& prompts_;
    QWidget* window_;
};

} // namespace dravik::app
