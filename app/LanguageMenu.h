#pragma once
// 语言 / Language: the interface language chosen in the window, remembered in the settings. The
// texts are chosen once at start-up, so a new choice applies at the next start.
#include <QString>

class QMenuBar;
class QWidget;

namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

// The remembered choice ("zh", "en"), or empty when the user never chose.
QString RememberedLanguage();

// Adds the menu to `bar`: 中文 and English, the language in use checked. Choosing the other one
// remembers it and says (through `prompts`) that it applies at the next start.
void AddLanguageMenu(QMenuBar* bar, widgets::Prompts& prompts, QWidget* parent);

} // namespace dravik::app
