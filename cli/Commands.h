#pragma once
// The `dravik` command line: one Command per sub-command (cli/Command.h), found by name.
#include <memory>
#include <ostream>
#include <vector>

#include "cli/Command.h"

namespace dravik::rom {
class RomDocument;
} // namespace dravik::rom

namespace dravik::cli {

// Runs the command line (args without the program name); returns the process exit status.
int RunCli(const Args& args, std::ostream& out, std::ostream& err);

// Every command, in the order `dravik --help` lists them.
const std::vector<std::unique_ptr<Command>>& AllCommands();

// Opens an image for a command and tells on `err` what there is to tell besides the command's own
// output: why it cannot be opened (false then), else an interrupted save rolled back first and a
// file that may not be an image of the game (it is worked on all the same).
bool OpenImage(rom::RomDocument& doc, const std::string& path, std::ostream& err);

std::unique_ptr<Command> MakeExportCommand();
std::unique_ptr<Command> MakeImportCommand();
std::unique_ptr<Command> MakeSetCommand();
std::unique_ptr<Command> MakeSampleCommand();
std::unique_ptr<Command> MakeConvertCommand();
std::unique_ptr<Command> MakeDiffCommand();
std::unique_ptr<Command> MakePatchCommand();
std::unique_ptr<Command> MakeApplyCommand();
std::unique_ptr<Command> MakeNamesCommand();
std::unique_ptr<Command> MakeRefsCommand();

// What a command has written to files so far ("t.smc 已经写入（...）"), for the message of an
// output that could not be written: the user must learn that the files changed all the same.
void NoteWritten(const std::string& what);

} // namespace dravik::cli
