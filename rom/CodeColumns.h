#pragma once
// Which cells show which code entries, and a name typed into such a cell back to its codes. Both
// follow from the code arrays' declarations (rom/Layout.h) and the table's name set.
#include <optional>
#include <string>
#include <vector>

#include "rom/Error.h"
#include "rom/Table.h"

namespace dravik::rom {

struct EntryColumns {
    int array; // index into the table's code arrays
    int k;
    std::vector<int> columns; // the cells this entry's code shows in
};

std::vector<EntryColumns> MapCodeEntries(const TableLayout& layout);

// Sets the codes behind (row, column) so that the cell shows `name`, the name of exactly one
// code (or of codes that differ only in bits the name does not show: those are kept from the
// slot's current code, or from the row's other slots of the same kind when the slot is empty).
// Returns nothing on success, otherwise the refused cell; the table is then unchanged.
std::optional<Error> SetCodesByName(Table& table, int row, int column, const std::string& name);

} // namespace dravik::rom
