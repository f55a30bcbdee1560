// The name set options and commands: --names DIR, names export, names check.
#include "cli/Commands.h"
#include "names/NameSet.h"

namespace dravik::cli {

namespace {
const char* const kNamesUsage =
    "Usage: dravik names export DIR   write the active name lists as name files\n"
    "       dravik names check DIR    check a folder of name files and show what it changes\n";

void PrintErrors(const std::vector<std::string>& errors, std::ostream& err)
{
    for (const std::string& e : errors)
        err << e << "\n";
}

int Check(const std::string& folder, std::ostream& out, std::ostream& err)
{
    const names::NameSetResult r = names::LoadNameSet(folder);
    if (!r.ok) {
        err << folder << ": 名称表被拒绝:\n";
        PrintErrors(r.errors, err);
        return 1;
    }
    const names::NameSet& current = names::Active();
    int changes = 0;
    for (const names::NameSet::Entry& e : r.set.UserEntries()) {
        const std::string& was = current.Names(e.list)[static_cast<size_t>(e.code)];
        if (was == e.text)
            continue;
        ++changes;
        out << names::Info(e.list).file << ":" << e.code + 1 << ": " << was << " -> " << e.text << "\n";
    }
    out << r.set.UserCount() << " names from " << folder << ", " << changes << " of them change a name\n";
    return 0;
}
} // namespace

int UseNamesOption(Args& args, std::ostream& err)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--names")
            continue;
        if (i + 1 >= args.size()) {
            err << "dravik: --names takes a folder\n";
            return 2;
        }
        const names::NameSetResult r = names::LoadNameSet(args[i + 1]);
        if (!r.ok) {
            err << args[i + 1] << ": 名称表被拒绝:\n";
            PrintErrors(r.errors, err);
            return 1;
        }
        names::SetActive(r.set);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return 0;
}

int RunNames(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && args[0] == "--help") {
        out << kNamesUsage;
        return 0;
    }
    if (args.size() != 2 || (args[0] != "export" && args[0] != "check")) {
        err << kNamesUsage;
        return 2;
    }
    if (args[0] == "check")
        return Check(args[1], out, err);
    const std::string error = names::ExportNameSet(names::Active(), args[1]);
    if (!error.empty()) {
        err << error << "\n";
        return 1;
    }
    out << names::AllLists().size() << " name files written to " << args[1] << "\n";
    return 0;
}

} // namespace dravik::cli
