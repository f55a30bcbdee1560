#pragma once
// Text <-> number conversions of the table fields. The save takes only what ParseWhole and
// ParseHundredths accept, so what reaches the file is always the number the user wrote.
#include <cstdint>
#include <optional>
#include <string>

namespace dravik::rom {

std::string FormatWhole(int32_t value);      // "%d"
std::string FormatHundredths(int32_t value); // "%.2f" of value * 0.01

// Spaces, tabs and line breaks around the number are ignored.
std::string TrimSpace(const std::string& text);

// A plain whole number: empty (0) or decimal digits only, after trimming. The value is
// saturated at INT64_MAX so huge texts are still known to be out of any field's range.
std::optional<int64_t> ParseWhole(const std::string& text);
// A plain decimal with at most one point and at least one digit (or empty), after trimming,
// converted to hundredths exactly, for any length of text: extra decimals round half up
// ("1.234" -> 123, "1.005" -> 101); huge values saturate at INT64_MAX.
std::optional<int64_t> ParseHundredths(const std::string& text);

} // namespace dravik::rom
