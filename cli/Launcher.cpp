// `dravik`: the plain patch requests without Qt (cli/PlainPatch.h); everything else by the full
// command line, a program of its own (dravik-full) that runs in this process's place with the same
// arguments. It is found from this program's own file: beside it in a build folder, else in the
// folder the installation gives it (DRAVIK_FULL_FOLDER, relative to this program's folder; where
// the system does not tell a program its own file, DRAVIK_FULL_INSTALLED).
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "cli/PlainPatch.h"
#include "i18n/LocaleName.h"

#ifndef DRAVIK_FULL_FOLDER
#define DRAVIK_FULL_FOLDER "."
#endif
#ifndef DRAVIK_FULL_INSTALLED
#define DRAVIK_FULL_INSTALLED "dravik-full"
#endif

namespace {
// The folder of this program's file; empty where the system does not say.
std::string OwnFolder()
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return {};
    const std::string path(self, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/'));
}
} // namespace

int main(int argc, char** argv)
{
    // A file-size limit must make writes fail with a reason, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const int status = dravik::cli::RunPlainRequest(argc, argv); status != dravik::cli::kHandOver)
        return status;
    const std::string folder = OwnFolder();
    std::string full = folder.empty() ? DRAVIK_FULL_INSTALLED : folder + "/dravik-full";
    if (!folder.empty() && ::access(full.c_str(), X_OK) != 0)
        full = folder + "/" DRAVIK_FULL_FOLDER "/dravik-full";
    ::execv(full.c_str(), argv);
    const char* locale = dravik::i18n::MessagesLocaleSetting();
    std::fprintf(stderr,
                 locale && dravik::i18n::IsEnglishLocale(locale) ? "dravik: cannot run %s: %s\n"
                                                                 : "dravik: 无法运行 %s：%s\n",
                 full.c_str(), std::strerror(errno));
    return 1;
}
