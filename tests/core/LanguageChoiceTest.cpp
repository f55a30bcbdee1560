// How both programs choose the interface language: the command line over the remembered choice
// over the locale.
#include <gtest/gtest.h>

#include "i18n/Language.h"

namespace dravik::i18n {
namespace {

TEST(LanguageChoice, CommandLineOverRememberedOverLocale)
{
    const auto zh = Language::Chinese, en = Language::English;
    const std::tuple<const char*, const char*, const char*, Language> cases[] = {
        {"", "", "en_US.UTF-8", en}, {"", "", "en", en},      {"", "", "en_GB@euro", en},
        {"", "", "zh_CN.UTF-8", zh}, {"", "", "C.UTF-8", zh}, {"", "", "C", zh},
        {"", "", "POSIX", zh},       {"", "", "", zh},        {"", "", "eo", zh},
        {"", "", "enx_YY", zh},      {"", "", "de_DE", zh},   {"", "en", "zh_CN", en},
        {"", "zh", "en_US", zh},     {"zh", "en", "en", zh},  {"en", "zh", "C", en},
        {"fr", "", "en_US", en}, // a wrong value counts as not given (the parser refuses it)
        {"", "xx", "C", zh},
    };
    for (const auto& [option, remembered, locale, expected] : cases)
        EXPECT_EQ(ChooseLanguage(option, remembered, locale), expected)
            << option << " | " << remembered << " | " << locale;
}

} // namespace
} // namespace dravik::i18n
