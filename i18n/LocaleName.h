#pragma once
// How the locale picks the language, in standard C++ (the command line's plain patch requests
// run without Qt; i18n/Language.h builds on this).
#include <cstdlib>
#include <string_view>

namespace dravik::i18n {

// The locale that decides the language of messages: LC_ALL, else LC_MESSAGES, else LANG, as on
// any POSIX system; nullptr where none is set.
inline const char* MessagesLocaleSetting()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value && *value)
            return value;
    return nullptr;
}

// English for a locale named en, en_GB, en_US.UTF-8 ...: "en" alone or followed by a territory, an
// encoding or a modifier; not "eo" or "enx".
inline bool IsEnglishLocale(std::string_view locale)
{
    return locale.substr(0, 2) == "en" &&
           (locale.size() == 2 || std::string_view("_-.@").find(locale[2]) != std::string_view::npos);
}

} // namespace dravik::i18n
