// `dravik convert TEXT FROM TO`: the base converter on the command line.
#include "cli/Commands.h"

#include "tools/BaseConvert.h"

#include <algorithm>

namespace dravik::cli {

namespace {

const char* const kUsage =
    "usage: dravik convert [--] TEXT FROM TO\n"
    "  Writes TEXT, a number in base FROM, in base TO (bases 2 to 16, in decimal).\n"
    "  TEXT may have a leading '-' and a fractional part after '.'; digits above 9 are\n"
    "  A-F or a-f. The result has at most 16 fractional digits, cut off, not rounded.\n"
    "  Use '--' before a negative TEXT if it would otherwise look like an option.\n"
    "  Exit status: 0 converted, 1 input refused, 2 wrong usage.\n";

// A base written in decimal, 2 to 16; 0 if it is anything else.
int ParseBase(const std::string& s)
{
    if (s.empty() || s.size() > 2 ||
        !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int base = std::stoi(s);
    return base >= 2 && base <= 16 ? base : 0;
}

} // namespace

int RunConvert(const Args& args, std::ostream& out, std::ostream& err)
{
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << kUsage;
        return 0;
    }
    Args rest = args;
    if (!rest.empty() && rest.front() == "--")
        rest.erase(rest.begin());
    if (rest.size() != 3) {
        err << kUsage;
        return 2;
    }
    const int from = ParseBase(rest[1]);
    const int to = ParseBase(rest[2]);
    if (from == 0 || to == 0) {
        err << "dravik convert: FROM and TO must be bases from 2 to 16\n" << kUsage;
        return 2;
    }

    const tools::BaseConvertResult r = tools::ConvertBase(rest[0], from, to);
    if (!r.ok) {
        err << r.message << '\n';
        return 1;
    }
    out << r.text << '\n';
    return 0;
}

} // namespace dravik::cli
