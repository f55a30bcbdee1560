#include "app/LanguageMenu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <utility>

#include "i18n/Language.h"
#include "widgets/Prompts.h"

namespace dravik::app {

namespace {
const QString kLanguageKey = QStringLiteral("language");
}

QString RememberedLanguage() { return QSettings().value(kLanguageKey).toString(); }

void AddLanguageMenu(QMenuBar* bar, widgets::Prompts& prompts, QWidget* parent)
{
    using i18n::Language;
    // Both languages in both: whoever cannot read the one in use still finds the other.
    const QString note = QStringLiteral("下次启动时生效 / Applies at the next start");
    QMenu* menu = bar->addMenu(QStringLiteral("语言 / &Language"));
    menu->setObjectName(QStringLiteral("menuLanguage"));
    menu->setToolTipsVisible(true);
    auto* group = new QActionGroup(menu);
    for (const auto& [language, text] : {std::pair{Language::Chinese, QStringLiteral("中文")},
                                         std::pair{Language::English, QStringLiteral("English")}}) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QStringLiteral("actionLanguage_") + i18n::LanguageCode(language));
        a->setCheckable(true);
        a->setChecked(language == i18n::CurrentLanguage());
        a->setStatusTip(note);
        a->setToolTip(note);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, parent, [&prompts, parent, language = language, note] {
            QSettings().setValue(kLanguageKey, i18n::LanguageCode(language));
            if (language == i18n::CurrentLanguage())
                return;
            widgets::Question question;
            question.caption = QStringLiteral("语言 / Language");
            question.text = note + u'.';
            prompts.Ask(parent, question);
        });
    }
}

} // namespace dravik::app
