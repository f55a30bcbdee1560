// Base conversion for the converter dialog and `dravik convert`.
//
// The number is read into a double (whole part by digit weights, then fraction digit by digit),
// its whole part is truncated to a 32-bit integer and written in the target base, and the
// remaining fraction is written digit by digit, at most 16 digits, cut rather than rounded.
// A leading '-' is only carried over to the result; the value itself is never negative.
// Full-width digits, letters and signs, as a Chinese input method types them, count as ASCII.
//
// Refusals (result.ok == false, result.message says why):
//   "输入的数据非法!"      a character that is not a digit of the input base, other than one
//                          leading '-' and the first '.' (a line break included);
//                          also a base outside 2..16.
//   "输入的数据太长!"      more than kMaxInputBytes bytes of input. Checked first, before any
//                          digit is looked at; it also keeps every digit weight finite.
//   "输入的整数部分太大!"  a value of 2^31 or more, which the 32-bit whole part cannot hold.
//                          This includes a fraction that rounds the double up to 2^31
//                          (e.g. "2147483647.99999999999").
#include "tools/BaseConvert.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "rom/HalfWidth.h"

namespace dravik::tools {

namespace {

constexpr std::size_t kMaxInputBytes = 99;
constexpr int kMaxFractionDigits = 16;
constexpr double kTwoPow31 = 2147483648.0;
constexpr unsigned kNotADigit = 255;

// The converter's messages.
class BaseConvert {
    Q_DECLARE_TR_FUNCTIONS(BaseConvert)
};

const char* const kInvalid = QT_TRANSLATE_NOOP("BaseConvert", "输入的数据非法!");
const char* const kTooLong = QT_TRANSLATE_NOOP("BaseConvert", "输入的数据太长!");
const char* const kTooLarge = QT_TRANSLATE_NOOP("BaseConvert", "输入的整数部分太大!");

unsigned DigitValue(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return kNotADigit;
}

char DigitChar(unsigned v) { return "0123456789ABCDEF"[v & 15u]; }

BaseConvertResult Refuse(const char* message)
{
    BaseConvertResult r;
    r.message = BaseConvert::tr(message).toStdString();

    return r;
}

} // namespace

BaseConvertResult ConvertBase(const std::string& input, int fromBase, int toBase)
{
    const std::string text = rom::ToHalfWidth(input);
    if (fromBase < 2 || fromBase > 16 || toBase < 2 || toBase > 16)
        return Refuse(kInvalid);
    if (text.size() > kMaxInputBytes)
        return Refuse(kTooLong);

    const auto b = static_cast<unsigned>(fromBase);
    const auto n = static_cast<int>(text.size());
    const auto dot = text.find('.');
    const bool hasDot = dot != std::string::npos;
    const int d = hasDot ? static_cast<int>(dot) : n;
    const bool negative = !text.empty() && text[0] == '-';

    double value = 0.0;

    // Whole part: text[first] .. text[d - 1], the last one weighing b^0. A leading '.' leaves
    // first == d, so nothing is scanned.
    const int first = negative ? 1 : 0;
    int p = first;
    while (p < d) {
        const unsigned v = DigitValue(text[p]);
        if (v >= b)
            break;
        value += v * std::pow(static_cast<double>(b), d - 1 - p);
        ++p;
    }

    // Skip the point; from here on the scan can only reach the end if the whole part ran
    // through, since the fraction scan stops at any later '.'.
    if (hasDot)
        ++p;

    for (int k = 1; p < n; ++k, ++p) {
        const unsigned v = DigitValue(text[p]);
        if (v >= b)
            break;
        value += v * std::pow(static_cast<double>(b), -k);
    }

    if (p != n)
        return Refuse(kInvalid);
    if (!(value < kTwoPow31))
        return Refuse(kTooLarge);

    const auto t = static_cast<unsigned>(toBase);
    const auto w = static_cast<std::int32_t>(value); // 0 <= value < 2^31: truncation is defined
    auto magnitude = static_cast<std::uint32_t>(w);

    int m = 1;
    while (std::pow(static_cast<double>(t), m) <= static_cast<double>(magnitude))
        ++m;
    std::string digits(static_cast<std::size_t>(m), '0');
    for (int i = m - 1; i >= 0; --i) {
        digits[static_cast<std::size_t>(i)] = DigitChar(magnitude % t);
        magnitude /= t;
    }

    BaseConvertResult r;
    r.ok = true;
    if (negative)
        r.text = "-";
    r.text += digits;

    double f = value - w;
    if (f != 0.0) {
        r.text += '.';
        for (int i = 0; i < kMaxFractionDigits; ++i) {
            f *= t;
            if (f < 1.0) {
                r.text += '0';
                continue;
            }
            const double whole = std::trunc(f);
            r.text += DigitChar(static_cast<unsigned>(whole)); // f < 1 before the multiply, so whole < t
            f -= whole;
            if (f == 0.0)
                break;
        }
    }
    return r;
}

} // namespace dravik::tools
