#pragma once
// What went wrong, as a value: what failed, where (a file, a line of it, or a table's cell) and
// the system's reason. Describe puts it into words; nothing else does, so every message of the
// core reads the same way in the window and on the command line.
#include <optional>
#include <string>

namespace dravik::rom {

struct Error {
    enum class Kind {
        Failed,  // detail is the whole sentence
        Reading, // reading file failed
        Writing, // writing file failed
        Saving,  // a save of file failed; detail says what happened to the file
        Opening, // file cannot be opened; detail says why and what was left as it was
        InLine,  // line of file is refused (lines counted from 1; 0: the file as a whole)
        InCell,  // a cell or code of table is refused: row (from 1; 0: no row), column, text
    };
    Kind what = Kind::Failed;
    std::string file;
    int line = 0;
    std::string table;   // the title as the layout keeps it
    std::string tableId; // the same table for a program
    int row = 0;         // counted from 1; 0: none
    std::string rowLabel;
    std::string column;   // title, or "array[k]" for a code entry
    int columnIndex = -1; // the column counted from 0; -1: a code entry no cell shows, or none
    std::string text;     // the text that was refused
    int systemError = 0;  // the errno behind it; 0: none
    std::string detail;   // why, in words; empty: the system's reason for systemError

    static Error Failure(std::string sentence, std::string file = {}, int systemError = 0);
    static Error Reading(std::string file, int systemError, std::string detail = {});
    static Error Writing(std::string file, int systemError, std::string detail = {});
    static Error Saving(std::string file, std::string detail, int systemError = 0);
    static Error Opening(std::string file, std::string detail, int systemError = 0);
    static Error InLine(std::string file, int line, std::string detail);

    bool Missing() const; // the file does not exist
};

// The error in the reader's language: one sentence (two for a save that failed), no line break.
std::string Describe(const Error& error);
// The same for an error that may not be there: empty when there is none.
std::string Describe(const std::optional<Error>& error);
// Only why it failed (the detail, else the system's reason), for a sentence that names the rest.
std::string Reason(const Error& error);
// The system's reason for an error number, in words a user understands ("磁盘已满", ...).
std::string ErrorText(int errorNumber);

} // namespace dravik::rom
