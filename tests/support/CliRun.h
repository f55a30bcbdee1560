#pragma once
// Runs the command line in-process and keeps its exit status and both output streams.
#include <sstream>
#include <string>

#include "cli/Commands.h"

namespace dravik::test {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun Cli(const cli::Args& args)
{
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace dravik::test
