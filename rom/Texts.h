#pragma once
// The core's sentences are Chinese in the source and go through Qt's translation system, one
// context per area: Tables::tr("..."), Files::tr("..."). The program loads a translation at
// start; without one the Chinese stays. Texts kept in data (table and column titles) are marked
// with QT_TRANSLATE_NOOP("Tables", ...) and translated where they are shown.
#include <QCoreApplication>
#include <QString>
#include <QStringDecoder>
#include <limits>
#include <string>
#include <type_traits>

namespace dravik::rom {

// Table and column titles, and the words about tables, rows and cells.
class Tables {
    Q_DECLARE_TR_FUNCTIONS(Tables)
};
// Reading and writing files, the save journal and its lock.
class Files {
    Q_DECLARE_TR_FUNCTIONS(Files)
};
// IPS and BPS patches, the internal header, comparing images.
class Patches {
    Q_DECLARE_TR_FUNCTIONS(Patches)
};
// The checks of values and texts before a save, and bulk formulas.
class Checks {
    Q_DECLARE_TR_FUNCTIONS(Checks)
};
// Name set folders and their files.
class Names {
    Q_DECLARE_TR_FUNCTIONS(Names)
};
// Unsaved edits kept for after a crash, and the reference image.

class Recovery {
    Q_DECLARE_TR_FUNCTIONS(Recovery)
};

// Every character as it is, a leading byte order mark too (QString::fromStdString drops it, and a
// name or a cell may be one).
inline QString TextArg(const std::string& text)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

inline QString TextArg(const char* text) { return QString::fromUtf8(text); }
inline QString TextArg(const QString& text) { return text; }
template <typename Number, typename = std::enable_if_t<std::is_arithmetic_v<Number>>>
QString TextArg(Number number)
{
    return QString::number(number);
}

// A translated text with its arguments (texts or numbers) put in, as UTF-8 like every message of
// the core: Fill(Files::tr("无法读取 %1：%2"), path, reason). The arguments go in in one pass, so
// a file name that holds "%2" stays as it is.
template <typename... Words> std::string Fill(const QString& text, const Words&... words)
{
    if constexpr (sizeof...(Words) == 0)
        return text.toStdString();
    else
        return text.arg(TextArg(words)...).toStdString();
}

// A size or length as the count that picks a sentence's plural form: tr("%n 字节", nullptr,
// PluralCount(size)). What the program reads is far below INT_MAX bytes.
template <typename Number> int PluralCount(Number n)
{
    return n > static_cast<Number>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                    : static_cast<int>(n);
}

// A title from a table layout as the reader's language shows it; the layout keeps the Chinese
// title that files and the command line use.
inline std::string ShownTitle(const std::string& title)
{
    return QCoreApplication::translate("Tables", title.c_str()).toStdString();
}

} // namespace dravik::rom
