#pragma once
// The exchange format of the command line: every table's titles, cells and code arrays.
#include <optional>
#include <ostream>
#include <string>

#include <vector>

#include "rom/Change.h"
#include "rom/Error.h"
#include "rom/Table.h"

namespace dravik::cli {

constexpr const char* kFormat = "dravik-tables-1";

// Writes {"format": ..., "header": ..., "tables": {ID: {"columns", "rows", "codes"}}} with the tables
// in pass order; "header" says whether the image had a copier header.
std::string TablesJson(const rom::Model& model, bool header);

// One JSON string literal.
void WriteJsonString(std::ostream& out, const std::string& s);

// Reads the value cells and code arrays of every table present in the JSON text as one edit
// per table, for the document to apply. Returns nothing on success, otherwise what is wrong in
// the file (and no edit).
std::optional<rom::Error> ReadTablesJson(const std::string& json, const std::string& fileName,
                                         const rom::Model& model, std::vector<rom::Edit>& edits);

} // namespace dravik::cli
