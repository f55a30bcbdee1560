// Numbers as texts: the codecs of the fields and the base converter.
#include "tools/BaseConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>

#include "rom/Codecs.h"

using dravik::tools::ConvertBase;
using namespace dravik::rom;

namespace {

// A case expects the result, or "!" and the refusal message.
const std::string kInvalid = "!输入的数据非法!", kTooLong = "!输入的数据太长!";
const std::string kTooLarge = "!输入的整数部分太大!";

void Check(std::initializer_list<std::tuple<std::string, int, int, std::string>> cases)
{
    for (const auto& [input, from, to, expected] : cases) {
        const auto r = ConvertBase(input, from, to);
        EXPECT_EQ(r.ok ? r.text : "!" + r.message, expected) << '"' << input << "\" " << from << "->" << to;
    }
}

} // namespace

// What the random round trips below cannot reach: fractions in other bases, the edges of size, the
// sign of zero, full-width forms and each way an input is refused.
TEST(BaseConvert, Examples)
{
    Check({{"0.1", 10, 2, "0.0001100110011001"},
           {"3.14159", 10, 16, "3.243F3E0370CDE"},
           {"", 10, 16, "0"},
           {"-", 10, 16, "-0"},
           {".", 16, 5, "0"},
           {"18", 8, 10, kInvalid}, // a digit must be below the base, in either part
           {"7.8", 8, 10, kInvalid},
           {"1.2.3", 10, 16, kInvalid},
           {"+5", 10, 16, kInvalid},
           // Full-width forms read as ASCII.
           {"１２３", 10, 16, "7B"},
           {"－１．５", 10, 2, "-1.1"},
           {"ＦＦ", 16, 10, "255"},
           {"ｆｆ。８", 16, 10, "255.5"},
           {"１２ａ", 10, 16, kInvalid},
           // The sign is kept as typed, also for zero.
           {"-0.0", 10, 2, "-0"},
           {"-.", 10, 2, "-0"},
           {"-.8", 16, 10, "-0.5"},
           // No point without a fraction; at most 16 fractional digits, cut, not rounded.
           {"0.2", 3, 10, "0.6666666666666666"},
           // Nothing but digits, a leading minus and one point; bases 2 to 16 only.
           {"12\n", 10, 16, kInvalid},
           {"--1", 10, 16, kInvalid},
           {"1.-5", 10, 16, kInvalid},
           {"一", 10, 16, kInvalid}, // a numeral is not a digit
           {"1", 1, 10, kInvalid},
           {"1", 10, 17, kInvalid},
           // The whole part below 2^31, the input below 100 bytes.
           {"2147483647", 10, 16, "7FFFFFFF"},
           {"-2147483647", 10, 2, "-1111111111111111111111111111111"},
           {"7FFFFFFF.8", 16, 10, "2147483647.5"},
           {"2147483648", 10, 16, kTooLarge},
           {"-2147483648", 10, 16, kTooLarge},
           {"80000000", 16, 10, kTooLarge},
           {"2147483647.99999999999", 10, 16, kTooLarge}, // the double rounds up to 2^31
           {"99999999999x", 10, 16, kInvalid},            // characters are checked before size
           {std::string(98, '0') + "1", 10, 16, "1"},
           {std::string(100, '0'), 10, 16, kTooLong},
           {std::string(99, 'F'), 16, 10, kTooLarge}, // the largest weights stay finite
           {"0." + std::string(96, '0') + "1", 2, 16, "0." + std::string(16, '0')}});
}

// Reference on values a double holds exactly: a whole part below 2^31 and, in bases 2, 4, 8
// and 16, a fraction short enough that times a base it still fits 53 bits; integer arithmetic only.
TEST(BaseConvert, MatchesExactConversion)
{
    const char digit[] = "0123456789ABCDEF";
    const auto inBase = [&](std::uint64_t v, unsigned base) {
        std::string s;
        do
            s.insert(s.begin(), digit[v % base]);
        while (v /= base);
        return s;
    };
    std::mt19937_64 rng(20240601);
    for (int i = 0; i < 40000; ++i) {
        const unsigned from = 2 + rng() % 15, to = 2 + rng() % 15;
        const unsigned bits = from == 2 ? 1 : from == 4 ? 2 : from == 8 ? 3 : from == 16 ? 4 : 0;
        const unsigned wholeBits = rng() % 32;
        const std::uint64_t whole = rng() % (std::uint64_t{1} << wholeBits);
        const unsigned digits = bits ? rng() % (std::min({(52 - wholeBits) / bits, 48 / bits, 20u}) + 1) : 0;
        const unsigned fracBits = digits * bits;
        std::uint64_t num = rng() % (std::uint64_t{1} << fracBits); // the fraction is num / 2^fracBits
        const std::string sign = rng() % 2 ? "-" : "";

        std::string text = sign + std::string(rng() % 3, '0');
        for (char c : inBase(whole, from) + (digits || rng() % 4 == 0 ? "." : ""))
            text += rng() % 2 ? c : static_cast<char>(std::tolower(c));
        for (unsigned k = 1; k <= digits; ++k)
            text += digit[(num >> (fracBits - k * bits)) & (from - 1)];

        std::string expected = sign + inBase(whole, to) + (num ? "." : "");
        for (int k = 0; k < 16 && num != 0; ++k, num &= (std::uint64_t{1} << fracBits) - 1)
            expected += digit[(num *= to) >> fracBits];
        const auto r = ConvertBase(text, static_cast<int>(from), static_cast<int>(to));
        ASSERT_EQ(r.ok ? r.text : r.message, expected) << text << " " << from << "->" << to;
    }
}

TEST(Codecs, DisplaysRoundTripEveryStoredValue)
{
    EXPECT_EQ(FormatHundredths(1234), "12.34");
    EXPECT_EQ(FormatHundredths(5), "0.05");
    EXPECT_EQ(FormatHundredths(0), "0.00");
    EXPECT_EQ(FormatHundredths(-16384), "-163.84");
    EXPECT_EQ(FormatWhole(-3), "-3");
    for (int32_t v = 0; v <= 65535; ++v)
        ASSERT_EQ(ParseHundredths(FormatHundredths(v)), v) << v;
    for (int32_t v = 0; v <= 16777215; v += 997)
        ASSERT_EQ(ParseWhole(FormatWhole(v)), v) << v;
    EXPECT_EQ(ParseWhole(FormatWhole(16777215)), 16777215);
}

TEST(Codecs, PlainNumbersOnlyWithSurroundingSpaceIgnored)
{
    EXPECT_EQ(ParseWhole(""), 0);
    EXPECT_EQ(ParseWhole(" 42\r\n"), 42);
    EXPECT_EQ(ParseWhole("\n"), 0);
    for (const char* refused : {"12a", "-5", "+5", "4 2", "1.0"})
        EXPECT_FALSE(ParseWhole(refused)) << refused;
    EXPECT_EQ(*ParseWhole("99999999999999999999999"), INT64_MAX); // saturates, never wraps into range
    EXPECT_EQ(ParseHundredths("1.234"), 123);
    EXPECT_EQ(ParseHundredths("12."), 1200);
    EXPECT_EQ(ParseHundredths(".5"), 50);
    EXPECT_EQ(ParseHundredths(" 0.58\n"), 58);
    for (const char* refused : {".", "1.2.3", "-1.00", "1,5"})
        EXPECT_FALSE(ParseHundredths(refused)) << refused;
}

TEST(Codecs, HundredthsAreExactForAnyLengthOfText)
{
    const std::string zeros(309, '0');
    const std::pair<std::string, int64_t> cases[] = {
        {zeros + "3", 300},                // once 0 x inf = NaN, then refused
        {zeros + "3." + zeros + "5", 300}, // the third decimal is a zero
        {"0." + zeros + "1", 0},
        {"1.005", 101}, // halves round up, exactly
        {"2.675", 268},
        {"0.995", 100},
        {"655.35", 65535},
        {"92233720368547758.07", INT64_MAX},
        {"92233720368547758.08", INT64_MAX}, // saturates, never wraps
        {std::string(400, '9') + ".99", INT64_MAX},
    };
    for (const auto& [text, hundredths] : cases)
        EXPECT_EQ(ParseHundredths(text), hundredths) << text.substr(0, 40) << "... (" << text.size() << ")";
    EXPECT_EQ(ParseWhole(zeros + zeros + "7"), 7);
}
