#pragma once
// The review of unsaved changes: which fields differ from the last Open or Save, which bytes
// the next Save writes, and what it would refuse. The window's 查看修改 and the command line's
// import --dry-run show the same list.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Passes.h"
#include "rom/Table.h"

namespace dravik::rom {

struct ReviewEntry {
    std::string tableId;
    std::string tableTitle;
    int row = 0; // counted from 0
    std::string rowLabel;
    int column = -1;         // the cell shown for the field; -1 for a code no cell shows
    std::string columnTitle; // or the code array's name ("loot_gate", "parts[3]")
    std::string before;      // cell text, or for a code its name and value ("35mm机关炮 [0x05]")
    std::string after;
    bool code = false;

    std::string Describe() const; // one line: table, row (from 1), column, old -> new
};

struct ByteChange {
    uint32_t offset;
    uint8_t before;
    uint8_t after;
};

struct Review {
    std::vector<ReviewEntry> entries;
    std::vector<ByteChange> bytes; // empty when the save would be refused
    std::vector<Error> refusals;   // why the save would write nothing
    std::optional<Error> error;    // the file could not be read (or its checksum not fixed)
    std::string checksum;          // what a save that fixes the checksum sets, where it does

    bool Refused() const { return !refusals.empty() || error; }
    // The whole review as text lines, as the command line prints it.
    std::string Format() const;
    // What a save would write, one line each: why it would be refused (with each invalid cell), or
    // the checksum it sets and the bytes it changes. Format ends with these; the window shows them.
    std::vector<std::string> SaveLines() const;
};

// Every value cell and code that differs from its baseline, in pass order, row by row.
std::vector<ReviewEntry> ChangedFields(const Model& model);

// What the save pass would refuse among the cells and codes an edit sets, were it applied to
// the table now: editors ask this before they close, so they refuse exactly what Save refuses.
std::vector<Error> CheckEdit(const Table& table, const Edit& edit);

// The review of one edit before it is applied to its table: the fields it changes (old -> new,
// against the table as it is now), the bytes the next save would write differently because of it
// (saved: what Open read, as RomDocument::SavedParts() holds it), or what the save would refuse
// among the cells and codes it sets.
Review ReviewEdit(const Table& table, const Edit& edit, const std::vector<ImagePart>& saved, ImageForm form);

// The review of a model against the bytes of the file the next save patches, in its form; with
// fixChecksum, the internal header's checksum and complement as that save sets them are among
// the bytes.
Review MakeReview(const Model& model, const Bytes& image, ImageForm form = {}, bool fixChecksum = false);

} // namespace dravik::rom
