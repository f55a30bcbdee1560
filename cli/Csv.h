#pragma once
// CSV as `export --format csv` writes it and as spreadsheets save it again (RFC 4180: quoted
// fields, doubled quotes, CRLF or LF, UTF-8 with or without a byte-order mark).
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Error.h"
#include "rom/Table.h"

namespace dravik::cli {

// One table: the column titles, then one line per row, every line ended by CRLF.
void WriteTableCsv(const rom::Table& table, std::ostream& out);
// One field, quoted where RFC 4180 needs it.
void WriteCsvField(std::ostream& out, const std::string& s);

struct CsvRecord {
    int line = 0; // where the record starts, counted from 1
    std::vector<std::string> fields;
};

// Splits text into records, each field as rom::FromSpreadsheetSafe gives it back; empty lines at the
// end are dropped. Returns nothing on success, otherwise what is wrong and the line (from 1).
std::optional<rom::Error> ParseCsv(const std::string& text, std::vector<CsvRecord>& records);

// Reads one table from CSV text as an edit for the document to apply: the title row must be the
// table's column titles, then one record per row. Value columns are taken as text; a column that
// shows a code's name is taken by exact name. Returns nothing on success, otherwise the reason
// (file, row, column), and then no edit.
std::optional<rom::Error> ReadTableCsv(const std::string& text, const std::string& fileName,
                                       const std::string& tableId, const rom::Model& model,
                                       std::vector<rom::Edit>& edits);

} // namespace dravik::cli
