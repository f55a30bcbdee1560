// Any text as a bulk edit's formula, for a few values of x and r in both units: never a crash,
// and what it works out is a finite number that rounds to a field's unit.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rom/Formula.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const rom::Codec codec = data[0] & 1 ? rom::Codec::Hundredths : rom::Codec::Whole;
    const int r = 1 + data[0] / 2;
    rom::Formula formula;
    if (formula.Read(std::string(reinterpret_cast<const char*>(data) + 1, size - 1)))
        return 0;
    for (const double x : {0.0, -1.0, 35.0, 0.005, 65535.0, 1e300}) {
        const std::optional<double> value = formula.Value(x, r);
        if (!value)
            continue;
        if (!std::isfinite(*value))
            std::abort(); // a result that is not a number is refused, not returned
        if (rom::UnitText(rom::RoundToUnit(*value, codec), codec).empty())
            std::abort();
    }
    return 0;
}
