#pragma once
// Chinese input methods type digits and signs in their full-width forms ("１２３", "．", "－").
// Everything that reads a number passes its text through here first, so those forms count as
// the ASCII characters they stand for.
#include <string>

namespace dravik::rom {

// The UTF-8 text with every full-width ASCII form (U+FF01 to U+FF5E) replaced by its ASCII
// character, the ideographic space by a space and the ideographic full stop "。" by '.'.
// Every other byte is kept as it is.
std::string ToHalfWidth(const std::string& text);

} // namespace dravik::rom
