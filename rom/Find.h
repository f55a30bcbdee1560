#pragma once
// Finding things in the model: any cell by its text, and where a part, item, piece of equipment
// or attack pattern is used (mounted, carried, equipped, used in battle, dropped).
#include <string>
#include <vector>

#include "rom/Table.h"

namespace dravik::rom {

// One cell whose text holds the query. Column 0 is the row's name.
struct FindMatch {
    int table = 0; // index into Model::Tables()
    int row = 0;
    int column = 0;
    std::string text;
};

// True when `text` contains `query`, ignoring the case of ASCII letters only (the bytes of other
// characters must match exactly). An empty query is in every text.
bool ContainsCaseless(const std::string& text, const std::string& query);

// Every cell of every table whose text contains `query`, in table, row and column order; at most
// `limit` of them. An empty query finds nothing.
std::vector<FindMatch> FindText(const Model& model, const std::string& query, size_t limit = 500);

// The tables and lists whose rows can be looked up for references: the tank part tables,
// tank_items, items, human_weapons, the four armour tables, and the attack lists "attacks_a"
// and "attacks_b" (whose rows are the attack codes).
bool HasReferences(const std::string& tableId);

// One place that refers to the thing.
struct Reference {
    std::string tableId; // "tanks", "characters" or "monsters"
    int row = 0;
    int column = 0;    // the cell that shows the reference
    std::string where; // the column's title, and for loot its category ("战利品(<3回合) 人物类2")
    std::string text;  // the referring row's name
};

// Where row `row` (counted from 0) of `tableId` is used. Empty for a table without references
// (see HasReferences) or a row outside it.
std::vector<Reference> WhereUsed(const Model& model, const std::string& tableId, int row);

// The number of rows of `tableId` for references: a table's rows, or the entries of an attack list.
int ReferenceRows(const Model& model, const std::string& tableId);

} // namespace dravik::rom
