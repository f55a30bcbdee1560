#include "rom/Codecs.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace dravik::rom {

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

std::string FormatWhole(int32_t value) { return std::to_string(value); }

std::string FormatHundredths(int32_t value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value * 0.01);
    return buffer;
}

std::string TrimSpace(const std::string& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::optional<int64_t> ParseWhole(const std::string& text)
{
    const std::string t = TrimSpace(text);
    int64_t value = 0;
    for (char c : t) {
        if (!IsDigit(c))
            return std::nullopt;
        const int digit = c - '0';
        if (value > (std::numeric_limits<int64_t>::max() - digit) / 10)
            value = std::numeric_limits<int64_t>::max();
        else
            value = value * 10 + digit;
    }
    return value;
}

std::optional<int64_t> ParseHundredths(const std::string& text)
{
    const std::string t = TrimSpace(text);
    if (t.empty())
        return 0;
    const size_t point = t.find('.');
    const std::string whole = t.substr(0, point);
    const std::string decimals = point == std::string::npos ? std::string() : t.substr(point + 1);
    const auto allDigits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return IsDigit(c); });
    };
    if (!allDigits(whole) || !allDigits(decimals) || whole.size() + decimals.size() == 0)
        return std::nullopt;
    // Integer arithmetic only: the two decimals kept, the third rounds half up, the rest cannot
    // change the result. Saturates like ParseWhole.
    const int64_t limit = std::numeric_limits<int64_t>::max();
    const std::optional<int64_t> units = ParseWhole(whole);
    if (*units > limit / 100)
        return limit;
    int64_t fraction = 0;
    for (size_t i = 0; i < 2; ++i)
        fraction = fraction * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    if (decimals.size() > 2 && decimals[2] >= '5')
        ++fraction;
    const int64_t value = *units * 100;
    return value > limit - fraction ? limit : value + fraction;
}

} // namespace dravik::rom
