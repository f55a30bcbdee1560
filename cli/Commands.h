#pragma once
// The sub-commands of the `dravik` command line. Each takes the arguments after its own name
// and returns the process exit status: 0 success, 1 input refused, 2 wrong usage.
#include <ostream>
#include <string>
#include <vector>

namespace dravik::cli {

using Args = std::vector<std::string>;

int RunCli(const Args& args, std::ostream& out, std::ostream& err); // args without the program name

int RunExport(const Args& args, std::ostream& out, std::ostream& err);
int RunImport(const Args& args, std::ostream& out, std::ostream& err);
int RunSample(const Args& args, std::ostream& out, std::ostream& err);
int RunDiff(const Args& args, std::ostream& out, std::ostream& err);
int RunPatch(const Args& args, std::ostream& out, std::ostream& err);
int RunApply(const Args& args, std::ostream& out, std::ostream& err);
int RunConvert(const Args& args, std::ostream& out, std::ostream& err);
int RunNames(const Args& args, std::ostream& out, std::ostream& err);
int RunRefs(const Args& args, std::ostream& out, std::ostream& err);

// Takes every "--names DIR" out of `args` and makes that folder the active name set. Returns 0,
// or the exit status (with the reasons on `err`) when a folder is refused or missing.
int UseNamesOption(Args& args, std::ostream& err);

} // namespace dravik::cli
