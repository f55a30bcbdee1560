#pragma once
// The checks every reader of user text applies before a byte of it is used: name files, import
// files (JSON and CSV) and recovery records. Each refuses with where and what, in words a user
// can act on; none of them guesses or repairs.
#include <QtCore/qglobal.h>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "rom/Error.h"

QT_FORWARD_DECLARE_CLASS(QJsonDocument)

namespace dravik::rom {

// The first place where text is not strict UTF-8 (RFC 3629): a sequence cut off, an overlong
// form, a surrogate (U+D800 to U+DFFF), a code point beyond U+10FFFF, a stray continuation
// byte, or a byte UTF-8 never uses.
struct Utf8Fault {
    std::size_t offset = 0; // of the sequence's first byte
    int line = 1;           // counted from 1
    int column = 1;         // byte of that line, counted from 1
    std::string reason;
};
std::optional<Utf8Fault> FindUtf8Fault(std::string_view text);

// "第 3 行第 5 个字节：UTF-8 序列不完整" (no file name: the caller puts its own in front).
std::string Describe(const Utf8Fault& fault);

// Parses a JSON text strictly: it must be strict UTF-8, every key may appear once in its object
// (a repeated key would otherwise silently take the last value), and an escaped surrogate must
// have its pair. Returns nothing and sets doc, or why not, the line (from 1) or the JSON path where
// it was found in its words (no file name: the caller's error names the file).
std::optional<Error> ParseJsonStrictly(const std::string& text, QJsonDocument& doc);

} // namespace dravik::rom
