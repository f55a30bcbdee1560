#pragma once
// 帮助 → 用户指南 (F1): the user guide installed with the program (or the one of the build or
// source tree a build runs from), in the interface's language where there is one, shown in a
// dialog over parent.
class QWidget;

namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

// False, showing nothing, when no guide is found.
bool ShowUserGuide(QWidget* parent, widgets::Prompts& prompts);

} // namespace dravik::app
