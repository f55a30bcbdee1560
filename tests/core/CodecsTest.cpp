#include <gtest/gtest.h>

#include "rom/Codecs.h"

using namespace dravik::rom;

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
    EXPECT_FALSE(ParseWhole("12a"));
    EXPECT_FALSE(ParseWhole("-5"));
    EXPECT_FALSE(ParseWhole("+5"));
    EXPECT_FALSE(ParseWhole("4 2"));
    EXPECT_FALSE(ParseWhole("1.0"));
    EXPECT_EQ(*ParseWhole("99999999999999999999999"), INT64_MAX); // saturates, never wraps into range
    EXPECT_EQ(ParseHundredths("1.234"), 123);
    EXPECT_EQ(ParseHundredths("12."), 1200);
    EXPECT_EQ(ParseHundredths(".5"), 50);
    EXPECT_EQ(ParseHundredths(" 0.58\n"), 58);
    EXPECT_FALSE(ParseHundredths("."));
    EXPECT_FALSE(ParseHundredths("1.2.3"));
    EXPECT_FALSE(ParseHundredths("-1.00"));
    EXPECT_FALSE(ParseHundredths("1,5"));
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
