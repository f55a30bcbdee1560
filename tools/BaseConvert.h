#pragma once
// Converts a number written in one base (2 to 16) into another, keeping a sign and a fraction.
#include <string>

namespace dravik::tools {

struct BaseConvertResult {
    bool ok = false;
    std::string text;    // the result when ok
    std::string message; // why the input was refused when not ok
};

// fromBase and toBase are 2 to 16.
BaseConvertResult ConvertBase(const std::string& input, int fromBase, int toBase);

} // namespace dravik::tools
