#pragma once
// Cells as text in and out: the one rule that reads a cell's text back (CSV import and paste),
// and rows copied and pasted as tab-separated text, the way spreadsheets exchange cells.
#include <optional>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Passes.h"
#include "rom/Table.h"

namespace dravik::rom {

// Sets one cell from its text: a value cell takes the text (a number equal to the one it holds
// leaves it as it is, so "12.5" does not change "12.50"); a cell that shows codes takes the codes
// whose name the text is. Returns nothing, or the refused cell (the table is then unchanged).
// Nothing is checked against the field's range here: Save does that.
std::optional<Error> SetCellText(Table& table, int row, int column, const std::string& text);

// A cell a spreadsheet would run as a formula (one that begins with =, +, -, @, a tab or a
// carriage return) is written (to CSV, to the clipboard) with a leading apostrophe, which spreadsheets take
// as "text follows"; so is a cell that itself begins with an apostrophe. A plain number ("-5", "-1.25") is no
// formula and is written as it is. Reading takes off exactly the apostrophe writing put on, so an export read
// back gives every cell byte for byte.
std::string SpreadsheetSafe(const std::string& cell);
std::string FromSpreadsheetSafe(const std::string& field);

// The rows (counted from 0, in the order given) as a title line and one line per row, each cell
// as the table shows it (names for codes) and made SpreadsheetSafe, separated by tabs, every line
// ended by "\n".
std::string CopyRows(const Table& table, const std::vector<int>& rows);

struct PastePlan {
    std::optional<Error> error;  // nothing to paste
    std::vector<Error> refusals; // every cell, name or row that does not fit
    Edit edit{""};               // what the paste sets; apply only when Ok()

    bool Ok() const { return !error && refusals.empty(); }
};

// Reads tab-separated text for one table. A first line of column titles says which column each
// field goes to (any of them, in any order); otherwise the fields go to `column` and the columns
// after it. When the name column (0) is among them, each line goes to the row of that name (the
// second line of one name to the second row of that name); otherwise the lines go to `rows`, in
// order (the rows a list shows from its current one down, sorted or filtered as it shows them).
// Everything is checked before anything is set, as Save checks it.
PastePlan PlanPaste(const Table& table, const std::string& text, const std::vector<int>& rows, int column);
// The same for the table's rows from `row` on, in file order.
PastePlan PlanPaste(const Table& table, const std::string& text, int row, int column);

} // namespace dravik::rom
