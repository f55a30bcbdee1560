#include <string>

#include "cli/Commands.h"

namespace dravik::cli {

namespace {
const char* const kUsage =
    "Usage: dravik COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  export ROM [--table ID --format csv]   print every table as JSON (or one table as CSV)\n"
    "  import ROM FILE.json [--dry-run]       write the tables in FILE.json into ROM\n"
    "  import ROM FILE.csv --table ID [--dry-run]\n"
    "                                         write one table from CSV (as export writes it)\n"
    "                                         (--dry-run: list the changes and bytes, write nothing)\n"
    "  sample OUT.smc [--seed N] [--no-header]\n"
    "                                         write a synthetic ROM image\n"
    "  convert TEXT FROM TO                   convert a number between bases 2 to 16\n"
    "  diff A.smc B.smc [--format text|json|csv]  the table fields (and other bytes) that differ\n"
    "  patch ORIGINAL MODIFIED OUT.ips|OUT.bps    write a patch that takes ORIGINAL to MODIFIED\n"
    "  apply ROM PATCH [OUT]                  apply an IPS or BPS patch (in place, or to OUT)\n"
    "\n"
    "Exit status: 0 success, 1 input refused, 2 wrong usage.\n";
} // namespace

int RunCli(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    const std::string& command = args[0];
    const Args rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "export")
        return RunExport(rest, out, err);
    if (command == "import")
        return RunImport(rest, out, err);
    if (command == "sample")
        return RunSample(rest, out, err);
    if (command == "convert")
        return RunConvert(rest, out, err);
    if (command == "diff")
        return RunDiff(rest, out, err);
    if (command == "patch")
        return RunPatch(rest, out, err);
    if (command == "apply")
        return RunApply(rest, out, err);
    err << "dravik: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}

} // namespace dravik::cli
