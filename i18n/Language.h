#pragma once
// The language of the interface. Chinese is the language the texts are written in; English is a
// translation compiled into the programs. Both programs choose it the same way at start-up:
// `--lang zh|en` on the command line, else the choice remembered by the editor's 语言 menu, else
// the locale (an English locale gets English, any other keeps Chinese).
#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace dravik::i18n {

enum class Language { Chinese, English };

// "zh" or "en" (as --lang and the settings write them); nothing for any other text.
std::optional<Language> ParseLanguage(const QString& code);
QString LanguageCode(Language language);

// The value of --lang in a program's arguments (the first is the program and is skipped):
// "--lang en" or "--lang=en", before a "--". Empty when the option is not given.
QString LanguageOption(const QStringList& arguments);

// The locale that decides the language of messages: LC_ALL, else LC_MESSAGES, else LANG, as on
// any POSIX system; where none is set, the system's own locale.
QString MessagesLocale();

// English for a locale named en, en_GB, en_US.UTF-8 ...; Chinese for zh*, C, POSIX and anything else.
Language LocaleLanguage(const QString& locale);

// The order of precedence: the command line, the remembered choice, the locale. An option or a
// remembered value that names no language counts as not given.
Language ChooseLanguage(const QString& option, const QString& remembered, const QString& locale);

// Installs the program's translations for the language (the command line's and the window's, as
// far as the program has them) and Qt's own (the stock dialogs' buttons). Chinese needs nothing of
// the program's own. Call once, before any text is shown. False if a translation is missing.
bool InstallLanguage(QCoreApplication& app, Language language);

// The language installed by InstallLanguage (Chinese before any call).
Language CurrentLanguage();

} // namespace dravik::i18n
