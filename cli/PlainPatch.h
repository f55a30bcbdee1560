#pragma once
// The command line's plain patch requests, done without Qt: `dravik patch A B OUT.ips` and
// `dravik apply IMAGE PATCH.ips OUT` (OUT a new file) with no option, inputs and output that are
// plain files, and nothing in the way. Starting Qt costs more
// than making the patch, so `dravik` (cli/Launcher.cpp) tries this first and hands everything
// else to the full command line.
//
// Hand-over is silent and happens before anything is written: any other request, any failure,
// and anything the full command line would say more about (an interrupted save of an input, a
// file that is not plain, a busy file, an output that may not be replaced). So every message and
// every refusal comes from the full command line; only the success line is printed here too, in
// the same words.

namespace dravik::cli {

// The exit status when the request was done; kHandOver when the full command line must take it.
constexpr int kHandOver = -1;
int RunPlainRequest(int argc, char** argv);

} // namespace dravik::cli
