#pragma once
// Table layouts as data. Each table of the image is one TableLayout: where its records are,
// which field goes to which column or code array, with which codec and row flag. One generic
// load and one generic save walk these declarations; the few tables that are truly special
// (packed monster words, loot gate and categories) add small hooks.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "names/NameSet.h"
#include "names/Names.h"

namespace dravik::rom {

class Table;
class LoadContext;
class SaveContext;

using RowFn = int (*)(int row);

enum class Codec {
    Whole,      // "%d" on load, a plain whole number on save
    Hundredths, // "%.2f" of value * 0.01 on load, a plain decimal on save
    Code,       // the raw value goes into a code array; the cell shows its name
};

// How the load takes a row flag off a field.
enum class FlagUse {
    Subtract,  // shown = stored - flag
    LowNibble, // shown = stored mod 16 (the high nibble is the flag)
};

// Field::base of a field that lies in the table's own record (the table's base and stride).
constexpr uint32_t kInTableRecord = 0xFFFFFFFF;

// Every field, code entry and column has a key, stable across versions: what dialogs, column
// widths, label hooks and tests name instead of a position. Value fields have plain keys
// ("price", "attack"); a code entry is its array's name, with "[k]" where a row has several
// ("users", "parts[3]"); column 0, the row's label, is "name".
constexpr const char* kNameKey = "name";

struct Field {
    std::string key;     // value fields; code fields take their entry's key
    uint32_t offset = 0; // within the record
    int width = 1;       // 1, 2 or 3 bytes, little-endian
    Codec codec = Codec::Whole;
    int column = -1;            // Whole/Hundredths: the cell's column
    const char* codeArray = ""; // Code: the code array's name
    int codeIndex = 0;          // Code: the entry within the row
    RowFn flag = nullptr;       // row flag (or offset), nullptr for none
    FlagUse flagUse = FlagUse::Subtract;
    int maxCode = -1;               // Code: largest shown value allowed, -1 for the field's width
    bool saveOnly = false;          // written by the save pass only (a mirror of another field)
    uint32_t base = kInTableRecord; // else the base of the separate record table holding it
    uint32_t stride = 0;

    uint32_t Address(uint32_t tableBase, uint32_t tableStride, int row) const
    {
        return base == kInTableRecord ? tableBase + row * tableStride + offset : base + row * stride + offset;
    }
    int FlagOf(int row) const { return flag ? flag(row) : 0; }
};

// What a code without an entry in its list shows.
enum class Unnamed {
    Unknown, // names::UnknownCode(code), "未知(0x..)"
    Blank,   // nothing
    Last,    // the last entry: every code past the end of the list means the last one
};

// A code with the chooser code it is named with (0 where its naming has no chooser).
struct NamedCode {
    int code;
    int chooserCode = 0;
    bool operator==(const NamedCode& o) const { return code == o.code && chooserCode == o.chooserCode; }
};

// How the codes of one array are named: the one declaration the cells, the row editors' lists,
// CSV import by name, find, where-used and the sample generator all read.
//
// A code names entry ((code & mask) >> shift) - first of its list: one list, or one per row
// (listForRow), or, where entryOf is set, the list that the code of another array of the row
// (chooser: a loot drop's category) picks together with the code itself; codesOf is its inverse.
// emptyCode, where there is one, shows "-----" and is the row editor's entry after the last; a
// code outside a byte or without an entry shows as `unnamed` says.
struct CodeNaming {
    bool named = false; // false: the codes are not shown by name (the loot gate)
    names::List list = names::List::TankParts;
    int first = 0;
    int mask = 0xFF;
    int shift = 0;
    names::List (*listForRow)(int row) = nullptr;
    const char* chooser = "";
    names::ListEntry (*entryOf)(int chooserCode, int code) = nullptr;
    // Every code, with its chooser code, for which entryOf gives the entry.
    std::vector<NamedCode> (*codesOf)(names::ListEntry entry) = nullptr;
    int emptyCode = -1;
    Unnamed unnamed = Unnamed::Unknown;
    // When set, the code an entry gets in a row (what its row editor writes); otherwise
    // (first + entry) << shift.
    int (*codeForEntry)(int row, int entry) = nullptr;

    names::List ListFor(int row) const { return listForRow ? listForRow(row) : list; }
    bool Chosen() const { return entryOf != nullptr; }
    // The list and entry a code names in this row; nullopt for the empty code and codes without
    // an entry. chooserCode: the chooser array's code in the row, where the naming has one.
    std::optional<names::ListEntry> Named(int row, int code, int chooserCode = 0) const;
    std::string Text(const names::NameSet& names, int row, int code, int chooserCode = 0) const;
    int CodeOf(int row, int entry) const;
    // Text backwards: every code (a byte) that shows `name` in this row, for a chosen naming with
    // each of chooserCodes it shows it with; ordered by chooser code, then code. The bits a name
    // does not show are free, so one name may stand for several codes, as may a name that several
    // entries share.
    std::vector<NamedCode> CodesNamed(const names::NameSet& names, int row, const std::string& name,
                                      const std::vector<int>& chooserCodes = {}) const;

    // The row editor's drop-down list: the list's drop-down texts, then "-----" where there is
    // an empty code. ListIndex is the position a code opens at (rules::kNoSelection, -1, for
    // none; a code whose entry is one past the last opens at "-----"); CodeForIndex the code a
    // chosen position writes (the old code for no selection).
    std::vector<std::string> ListTexts(const names::NameSet& names, int row) const;
    int ListIndex(int row, int code) const;
    int CodeForIndex(int row, int index, int oldCode) const;
};
CodeNaming NamedBy(names::List list, int first = 0, int mask = 0xFF, int shift = 0);
CodeNaming NamedByRow(names::List (*listForRow)(int row));
// Slots that may be empty: 0xFF shows "-----".
CodeNaming SlotNamedBy(names::List list, int first = 0, int mask = 0xFF);
CodeNaming ChosenBy(const char* chooser, names::ListEntry (*entryOf)(int chooserCode, int code),
                    std::vector<NamedCode> (*codesOf)(names::ListEntry entry));

// Which names label a table's rows: a range of a name list, looked up in the model's name set
// whenever a label is shown, or fixed texts for the few tables that no list names.
struct RowNames {
    names::List list = names::List::Items;
    int first = 0;
    int count = 0;
    std::vector<std::string> fixed; // used instead of the list when not empty

    int Rows() const { return fixed.empty() ? count : static_cast<int>(fixed.size()); }
    std::string Label(const names::NameSet& names, int row) const;
};
RowNames NamedRows(names::List list, int first, int count);
RowNames NamedRows(names::List list); // the whole list
RowNames FixedRows(std::vector<std::string> labels);

struct CodeArraySpec {
    const char* name;
    int perRow;
    int column = -1; // the cell that shows entry 0 as a name (entry k at column + k), -1 for none
    // Loaded for the save rules to read, never edited: an import that changes it is refused.
    bool readOnly = false;
    CodeNaming naming = {};
};

// What a cell that shows codes shows: entry k of one array, named with the help of the
// chooser array's entry 0 where its naming has one.
struct CodeCell {
    int array = -1; // -1: the column shows no code
    int k = 0;
    int chooser = -1;
};

// The key of entry k of a code array ("parts[3]"; "users" for an array of one per row).
std::string EntryKey(const std::string& array, int k, int perRow);

// A value column filled by the table's own hooks rather than by a field declaration.
struct KeyedColumn {
    const char* key;
    int column;
};

struct TableLayout {
    const char* id;                   // stable id used by the command line ("main_cannons")
    std::vector<std::string> columns; // titles, column 0 (the row label's column) first
    RowNames rowNames;
    uint32_t base = 0;
    uint32_t stride = 0;
    std::vector<CodeArraySpec> codeArrays;
    std::vector<Field> fields;
    // Fields too special for a declaration.
    void (*load)(const LoadContext& ctx, Table& table, int row) = nullptr;
    void (*save)(SaveContext& ctx, const Table& table, int row) = nullptr;
    std::vector<KeyedColumn> hookColumns; // the value columns the hooks fill and read
    // Where the hooks read and write. The generic passes skip these; they are declared so that
    // the bytes every table occupies follow from the layouts alone.
    std::vector<Field> hookFields;

    // The columns that hold numbers as text (every other column after 0 shows a code's name).
    std::vector<int> ValueColumns() const;
    // The longest text a value column can show: its field's widest number in any row, as a cell
    // writes it ("65535", "327.67"); "" for a column that shows codes.
    std::string WidestValue(int column) const;
    // The column of a key (a value field, a code entry shown in a cell, "name"); -1 for none.
    int Column(const std::string& key) const;
    // The code array (an index into codeArrays) and entry a key names; nullopt for none.
    struct Entry {
        int array;
        int k;
    };
    std::optional<Entry> CodeEntry(const std::string& key) const;
    // The key of a value column, "" for a column that shows codes.
    std::string ValueKey(int column) const;
    // The code array of that name; nullptr for none.
    const CodeArraySpec* FindCodeArray(const std::string& name) const;
    // The code a column shows (from the code arrays' columns; a chooser shows in its chosen
    // array's column but is not what the cell names).
    CodeCell CellCode(int column) const
    {
        return column >= 0 && static_cast<size_t>(column) < codeCells.size()
                   ? codeCells[static_cast<size_t>(column)]
                   : CodeCell{};
    }
    std::vector<CodeCell> codeCells; // filled by AllLayouts() from the code arrays

    int Rows() const { return rowNames.Rows(); }
};

// Every table in the fixed order of the load and save passes.
const std::vector<TableLayout>& AllLayouts();
const TableLayout* FindLayout(const std::string& id); // nullptr for none

// Table groups, one module each.
void AddTankPartTables(std::vector<TableLayout>& out);
void AddTankTables(std::vector<TableLayout>& out);
void AddHumanEquipmentTables(std::vector<TableLayout>& out);
void AddShopTables(std::vector<TableLayout>& out);
void AddMonsterTables(std::vector<TableLayout>& out);

// Helpers for declarations.
Field Whole(const char* key, uint32_t offset, int width, int column, RowFn flag = nullptr);
Field Hundredths(const char* key, uint32_t offset, int width, int column, RowFn flag = nullptr);
Field CodeField(uint32_t offset, const char* array, int index = 0);
Field At(uint32_t base, uint32_t stride, Field field); // the same field in a separate record table

// Value ranges of a field as shown (after its flag is taken off).
struct ValueRange {
    int64_t min;
    int64_t max;
};
ValueRange ShownRange(const Field& field, int row);

} // namespace dravik::rom
