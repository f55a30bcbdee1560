#include "tools/BaseConvert.h"

#include "cli/Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

using dravik::tools::ConvertBase;

namespace {

const std::string kInvalid = "输入的数据非法!";
const std::string kTooLong = "输入的数据太长!";
const std::string kTooLarge = "输入的整数部分太大!";

struct Case {
    std::string input;
    int from;
    int to;
    std::string expected; // the result text, or the refusal message
};

void ExpectConverts(const Case& c) {
    SCOPED_TRACE("\"" + c.input + "\" " + std::to_string(c.from) + " -> " + std::to_string(c.to));
    const auto r = ConvertBase(c.input, c.from, c.to);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.text, c.expected);
}

void ExpectRefused(const Case& c) {
    SCOPED_TRACE("\"" + c.input + "\" " + std::to_string(c.from) + " -> " + std::to_string(c.to));
    const auto r = ConvertBase(c.input, c.from, c.to);
    EXPECT_FALSE(r.ok) << r.text;
    EXPECT_EQ(r.message, c.expected);
}

} // namespace

TEST(BaseConvert, DocumentedExamples) {
    for (const Case& c : std::initializer_list<Case>{
             {"255", 10, 16, "FF"},
             {"-1a", 16, 10, "-26"},
             {"0.5", 10, 2, "0.1"},
             {"0.1", 10, 2, "0.0001100110011001"},
             {"3.14159", 10, 16, "3.243F3E0370CDE"},
             {"12.", 10, 10, "12"},
             {"", 10, 16, "0"},
             {"", 2, 7, "0"},
             {"-", 10, 16, "-0"},
             {"-", 3, 2, "-0"},
             {".", 10, 16, "0"},
             {".", 16, 5, "0"},
         })
        ExpectConverts(c);
    for (const Case& c : std::initializer_list<Case>{
             {"19", 8, 10, kInvalid},
             {"19", 8, 16, kInvalid},
             {"1.2.3", 10, 16, kInvalid},
             {"+5", 10, 16, kInvalid},
         })
        ExpectRefused(c);
}

TEST(BaseConvert, SignIsKeptAsWritten) {
    for (const Case& c : std::initializer_list<Case>{
             {"-0", 10, 16, "-0"},
             {"-0.0", 10, 2, "-0"},
             {"-.", 10, 2, "-0"},
             {"-.8", 16, 10, "-0.5"},
             {"-101", 2, 10, "-5"},
         })
        ExpectConverts(c);
}

TEST(BaseConvert, LetterDigitsInEitherCaseResultInUpperCase) {
    for (const Case& c : std::initializer_list<Case>{
             {"ff", 16, 16, "FF"},
             {"aB.c", 16, 10, "171.75"},
             {"AbCdEf", 16, 16, "ABCDEF"},
             {"171", 10, 12, "123"},
             {"1e", 15, 16, "1D"},
         })
        ExpectConverts(c);
    // A letter is a digit only where its value is below the base.
    ExpectRefused({"1e", 14, 10, kInvalid});
    ExpectRefused({"g", 16, 10, kInvalid});
}

TEST(BaseConvert, FractionStopsWhenExactOrIsCutAfterSixteenDigits) {
    for (const Case& c : std::initializer_list<Case>{
             {"2.0", 10, 2, "10"},               // no fractional part, no point
             {"0.0001", 2, 16, "0.1"},
             {"0.2", 3, 10, "0.6666666666666666"}, // cut, not rounded up to ...67
             {"0.1", 16, 3, "0.0012001200120012"}, // zero digits inside the 16
         })
        ExpectConverts(c);
}

TEST(BaseConvert, AnythingButDigitsSignAndOnePointIsInvalidAsAreOtherBases) {
    for (const char* text : {"12\n", "1\r\n2", "1 2", " 1", "1-", "--1", "1.-5", ".-1", "1,5", "\xef\xbc\x91"})
        ExpectRefused({text, 10, 16, kInvalid});
    ExpectRefused({"2", 2, 10, kInvalid}); // the digit equal to the base
    // Bases outside 2..16.
    ExpectRefused({"1", 1, 10, kInvalid});
    ExpectRefused({"1", 17, 10, kInvalid});
    ExpectRefused({"1", 10, 0, kInvalid});
    ExpectRefused({"1", 10, 17, kInvalid});
}

TEST(BaseConvert, WholePartMustStayBelowTwoToThe31) {
    ExpectConverts({"2147483647", 10, 16, "7FFFFFFF"});
    ExpectConverts({"-2147483647", 10, 2, "-1111111111111111111111111111111"});
    ExpectConverts({"7FFFFFFF.8", 16, 10, "2147483647.5"});
    ExpectRefused({"2147483648", 10, 16, kTooLarge});
    ExpectRefused({"-2147483648", 10, 16, kTooLarge});
    ExpectRefused({"80000000", 16, 10, kTooLarge});
    ExpectRefused({"99999999999999999999", 10, 16, kTooLarge});
    // The fraction rounds the double up to 2^31.
    ExpectRefused({"2147483647.99999999999", 10, 16, kTooLarge});
    // Invalid characters are reported before the size.
    ExpectRefused({"99999999999x", 10, 16, kInvalid});
}

TEST(BaseConvert, InputIsAtMost99Bytes) {
    ExpectConverts({std::string(98, '0') + "1", 10, 16, "1"});
    ExpectConverts({"0." + std::string(96, '0') + "1", 2, 16, "0." + std::string(16, '0')}); // 2^-97: nonzero, below 16 hex digits
    ExpectRefused({std::string(99, 'F'), 16, 10, kTooLarge});          // the largest weights stay finite
    ExpectRefused({std::string(99, '0') + "1", 10, 16, kTooLong});
    ExpectRefused({std::string(100, '0'), 10, 16, kTooLong});
}

// Exact reference: numbers whose value a double holds exactly (integers below 2^31 plus a
// fraction of few binary digits), converted with integer arithmetic only.
namespace {

const char kUpper[] = "0123456789ABCDEF";
const char kLower[] = "0123456789abcdef";

std::string WholeInBase(std::uint64_t v, unsigned base) {
    std::string s;
    do {
        s.insert(s.begin(), kUpper[v % base]);
        v /= base;
    } while (v != 0);
    return s;
}

} // namespace

TEST(BaseConvert, MatchesExactConversionOfIntegers) {
    std::mt19937_64 rng(20240601);
    for (int i = 0; i < 20000; ++i) {
        const unsigned from = 2 + rng() % 15;
        const unsigned to = 2 + rng() % 15;
        const std::uint64_t value = rng() % (std::uint64_t{1} << (rng() % 32)); // all magnitudes below 2^31
        const bool negative = rng() % 2 == 0;

        std::string text = negative ? "-" : "";
        text.append(rng() % 3, '0'); // leading zeros weigh nothing
        for (char c : WholeInBase(value, from))
            text += (rng() % 2) ? c : kLower[std::string(kUpper).find(c)];
        if (rng() % 4 == 0)
            text += '.';

        const std::string expected = (negative ? "-" : "") + WholeInBase(value, to);
        const auto r = ConvertBase(text, static_cast<int>(from), static_cast<int>(to));
        ASSERT_TRUE(r.ok) << text << " " << from << "->" << to;
        ASSERT_EQ(r.text, expected) << text << " " << from << "->" << to;
    }
}

TEST(BaseConvert, MatchesExactConversionOfBinaryFractions) {
    std::mt19937_64 rng(77);
    const unsigned powerBases[] = {2, 4, 8, 16};
    for (int i = 0; i < 20000; ++i) {
        const unsigned from = powerBases[rng() % 4];
        const unsigned bitsPerDigit = from == 2 ? 1 : from == 4 ? 2 : from == 8 ? 3 : 4;
        const unsigned to = 2 + rng() % 15;

        // Whole and fraction bits together fit the 53 bits of a double, and so does the
        // fraction times a base up to 16, so the double arithmetic stays exact.
        const unsigned wholeBits = rng() % 32;
        const std::uint64_t whole = rng() % (std::uint64_t{1} << wholeBits);
        const unsigned maxDigits = std::min(52 - wholeBits, 48u) / bitsPerDigit;
        const unsigned digits = 1 + rng() % std::min(maxDigits, 20u);
        const unsigned fracBits = digits * bitsPerDigit;
        std::uint64_t num = rng() % (std::uint64_t{1} << fracBits); // the fraction is num / 2^fracBits

        std::string text = WholeInBase(whole, from) + ".";
        for (unsigned k = 1; k <= digits; ++k)
            text += kLower[(num >> (fracBits - k * bitsPerDigit)) & (from - 1)];

        std::string expected = WholeInBase(whole, to);
        if (num != 0) {
            expected += '.';
            const std::uint64_t mask = (std::uint64_t{1} << fracBits) - 1;
            for (int k = 0; k < 16 && num != 0; ++k) {
                num *= to;
                expected += kUpper[num >> fracBits];
                num &= mask;
            }
        }
        const auto r = ConvertBase(text, static_cast<int>(from), static_cast<int>(to));
        ASSERT_TRUE(r.ok) << text << " " << from << "->" << to;
        ASSERT_EQ(r.text, expected) << text << " " << from << "->" << to;
    }
}

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunConvert(const dravik::cli::Args& args) {
    std::ostringstream out, err;
    const int status = dravik::cli::RunConvert(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

TEST(ConvertCommand, PrintsResultOrRefusal) {
    CliRun r = RunConvert({"255", "10", "16"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "FF\n");
    EXPECT_EQ(r.err, "");

    r = RunConvert({"--", "-1a", "16", "10"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "-26\n");

    r = RunConvert({"19", "8", "10"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, kInvalid + "\n");

    r = RunConvert({"2147483648", "10", "16"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kTooLarge + "\n");
}

TEST(ConvertCommand, WrongUsageExitsWithTwo) {
    for (const dravik::cli::Args& args : std::initializer_list<dravik::cli::Args>{
             {}, {"1", "10"}, {"1", "10", "16", "2"}, {"1", "ten", "16"}, {"1", "10", "17"},
             {"1", "1", "16"}, {"1", "+10", "16"}, {"1", "10", ""}})
    {
        const CliRun r = RunConvert(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    const CliRun help = RunConvert({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: dravik convert"), std::string::npos);
    EXPECT_EQ(help.err, "");
}
