#include "rom/Codecs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace dravik::rom {

namespace {
int CharValue(char c) { return static_cast<signed char>(c); }

size_t TextLength(const std::string& text)
{
    // Text ends at the first zero byte, as the stored cell texts always did.
    const size_t nul = text.find('\0');
    return nul == std::string::npos ? text.size() : nul;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

int32_t TextToInt(const std::string& text)
{
    // Exact sum modulo 2^32: unsigned arithmetic wraps with defined behaviour.
    const size_t n = TextLength(text);
    uint32_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum = sum * 10u + static_cast<uint32_t>(CharValue(text[i]) - 48);
    return static_cast<int32_t>(sum);
}

double TextToDouble(const std::string& text)
{
    const size_t n = TextLength(text);
    size_t p = text.find('.');
    if (p == std::string::npos || p > n)
        p = n;
    double value = 0.0;
    if (!(n > 0 && text[0] == '.')) {
        for (size_t i = 0; i < p; ++i)
            value += (CharValue(text[i]) - 48) * std::pow(10.0, static_cast<double>(p - 1 - i));
    }
    for (size_t k = p + 1; k < n; ++k)
        value += (CharValue(text[k]) - 48) * std::pow(10.0, -static_cast<double>(k - p));
    return value;
}

int32_t TextToHundredths(const std::string& text)
{
    const double scaled = std::round(TextToDouble(text) * 100.0);
    if (std::isnan(scaled) || std::isinf(scaled))
        return 0;
    if (scaled >= std::numeric_limits<int32_t>::min() && scaled <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(scaled);
    // Out of 32-bit range: reduce modulo 2^32 instead of an undefined conversion.
    double wrapped = std::fmod(scaled, 4294967296.0);
    if (wrapped < 0)
        wrapped += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

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
