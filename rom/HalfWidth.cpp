#include "rom/HalfWidth.h"

namespace dravik::rom {

namespace {
// The three-byte UTF-8 form of a code point in U+0800..U+FFFF starting at text[i], or 0.
char32_t ThreeByteCodePoint(const std::string& text, size_t i)
{
    if (i + 2 >= text.size())
        return 0;
    const auto b0 = static_cast<unsigned char>(text[i]);
    const auto b1 = static_cast<unsigned char>(text[i + 1]);
    const auto b2 = static_cast<unsigned char>(text[i + 2]);
    if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80)
        return 0;
    return static_cast<char32_t>(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
}
} // namespace

std::string ToHalfWidth(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t c = ThreeByteCodePoint(text, i);
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += static_cast<char>(c - 0xFF01 + 0x21);
        } else if (c == 0x3000) {
            out += ' ';
        } else if (c == 0x3002) {
            out += '.';
        } else {
            out += text[i++];
            continue;
        }
        i += 3;
    }
    return out;
}

} // namespace dravik::rom
