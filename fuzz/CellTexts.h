#pragma once
// Texts a person might leave in a value cell, valid and not: the edges of each field width and
// of the row flags, hundredths that round, full-width digits, line breaks, a NUL, numbers too
// long for any integer, and words. The tables harness types them into cells.
#include <string>
#include <vector>

namespace dravik::test {

inline const std::vector<std::string>& CellTexts()
{
    static const std::vector<std::string> texts = [] {
        // Separated by '|'; the first is the empty text.
        const std::string listed =
            "| |0|1|9|15|16|255|256|4095|4096|65535|65536|16777215|16777216|8191|8192|511|"
            "-1|1.5|1.234|1.005|2.55|2.56|655.35|655.36|.|..|1e3|0x10|１２|\n12\n|12 34|"
            "99999999999999999999|abc|主炮|0.|.5|007";
        std::vector<std::string> t = {std::string("1\0002", 3), std::string(300, '0') + "3",
                                      std::string(200, '9')};
        for (size_t at = 0, bar = 0; bar != std::string::npos; at = bar + 1) {
            bar = listed.find('|', at);
            t.push_back(listed.substr(at, bar == std::string::npos ? bar : bar - at));
        }
        return t;
    }();
    return texts;
}

} // namespace dravik::test
