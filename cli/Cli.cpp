#include <cerrno>
#include <new>
#include <string>

#include "cli/Commands.h"
#include "names/NameSet.h"
#include "rom/FileOps.h"

namespace dravik::cli {

namespace {
const char* const kUsage =
    "Usage: dravik COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  export ROM [--table ID --format csv]   print every table as JSON (or one table as CSV)\n"
    "  export ROM... --out-dir DIR [...]      the same for several images, one file each in DIR\n"
    "  import ROM FILE.json [--dry-run]       write the tables in FILE.json into ROM\n"
    "  import ROM FILE.csv --table ID [--dry-run]\n"
    "                                         write one table from CSV (as export writes it)\n"
    "                                         (--dry-run: list the changes and bytes, write nothing;\n"
    "                                         --backup: keep the old ROM as ROM.bak first)\n"
    "  sample OUT.smc [--seed N] [--no-header]\n"
    "                                         write a synthetic ROM image\n"
    "  convert TEXT FROM TO                   convert a number between bases 2 to 16\n"
    "  diff A.smc B.smc [--format text|json|csv]  the table fields (and other bytes) that differ\n"
    "  patch ORIGINAL MODIFIED OUT.ips|OUT.bps    write a patch that takes ORIGINAL to MODIFIED\n"
    "  apply ROM PATCH [OUT]                  apply an IPS or BPS patch (in place, or to OUT)\n"
    "                                         (--headerless-patch / --headered-patch: the IPS was made\n"
    "                                         for the image without / with its copier header)\n"
    "  names export DIR                       write the active name lists as name files (a template)\n"
    "  names check DIR                        check a folder of name files, show what it would change\n"
    "  refs ROM TABLE ROW [--format json]     where a part, item, equipment or attack is used\n"
    "\n"
    "Options:\n"
    "  --names DIR                            show names from a folder of name files\n"
    "\n"
    "Exit status: 0 success, 1 input refused, 2 wrong usage.\n";

int RunCommand(const Args& allArgs, std::ostream& out, std::ostream& err)
{
    // --names changes the active set for this run only (tests run many commands in one process).
    struct RestoreNames {
        names::NameSet saved = names::Active();
        ~RestoreNames() { names::SetActive(saved); }
    } restore;
    Args args = allArgs;
    if (const int status = UseNamesOption(args, err))
        return status;
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
    if (command == "names")
        return RunNames(rest, out, err);
    if (command == "refs")
        return RunRefs(rest, out, err);
    err << "dravik: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}
} // namespace

int RunCli(const Args& args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    try {
        status = RunCommand(args, out, err);
    } catch (const std::bad_alloc&) {
        err << "dravik: 内存不足，什么也没有写入。\n";
        return 1;
    }
    // Output that never arrived (a full disk, a closed pipe, /dev/full) is a failure.
    if (out)
        errno = 0;
    out.flush();
    if (!out) {
        const int cause = errno;
        err << "dravik: 无法写入输出：" << (cause ? rom::ErrorText(cause) : std::string("写入失败")) << "\n";
        return 1;
    }
    return status;
}

} // namespace dravik::cli
