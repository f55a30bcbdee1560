#pragma once
// A translated text with its arguments put in, as UTF-8 like every message of the core:
// Fill(Texts::tr("%1: 表 %2"), file, id). The arguments go in in one pass, so a file name that
// holds "%2" stays as it is.
#include <QString>
#include <string>

namespace dravik::cli {

template <typename... Words> std::string Fill(const QString& text, const Words&... words)
{
    if constexpr (sizeof...(Words) == 0)
        return text.toStdString();
    else
        return text.arg(QString::fromStdString(words)...).toStdString();
}

} // namespace dravik::cli
