// Any text in any pair of bases: never a crash, and an accepted whole number converts back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/BaseConvert.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int from = 2 + data[0] % 15, to = 2 + data[1] % 15;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const tools::BaseConvertResult r = tools::ConvertBase(text, from, to);
    if (r.ok && r.text.find('.') == std::string::npos) {
        const tools::BaseConvertResult back = tools::ConvertBase(r.text, to, from);
        if (!back.ok)
            std::abort(); // what the converter wrote, it reads
    }
    return 0;
}
