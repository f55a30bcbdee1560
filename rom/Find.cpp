#include "rom/Find.h"

#include <optional>

namespace dravik::rom {

namespace {

// The lists whose entries a row for references stands for: a table's rows named by a list that
// names codes of some code array, or one of the monsters' attack lists, which no table has rows
// for.
struct AttackSource {
    const char* id;
    names::List list;
};
constexpr AttackSource kAttackLists[] = {{"attacks_a", names::List::AttacksA},
                                         {"attacks_b", names::List::AttacksB}};

// Whether any code array of any table names codes by `list` (or by one chosen together with a
// chooser: those name any list, see names::LootEntryOf).
bool ListNamesCodes(names::List list)
{
    for (const TableLayout& layout : AllLayouts())
        for (const CodeArraySpec& arrayDecl : layout.codeArrays)
            if (arrayDecl.naming.named && !arrayDecl.naming.Chosen() && !arrayDecl.naming.listForRow &&
                arrayDecl.naming.list == list)
                return true;
    return false;
}

// The list entry row `row` of `tableId` stands for; nullopt for a table without references.
std::optional<names::ListEntry> SourceEntry(const std::string& tableId, int row)
{
    for (const AttackSource& s : kAttackLists)
        if (tableId == s.id)
            return names::ListEntry{s.list, row};
    for (const TableLayout& layout : AllLayouts())
        if (tableId == layout.id && layout.rowNames.fixed.empty() && ListNamesCodes(layout.rowNames.list))
            return names::ListEntry{layout.rowNames.list, layout.rowNames.first + row};
    return std::nullopt;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool ContainsCaseless(const std::string& text, const std::string& query)
{
    if (query.size() > text.size())
        return false;
    for (size_t start = 0; start + query.size() <= text.size(); ++start) {
        size_t i = 0;
        while (i < query.size() && Lower(text[start + i]) == Lower(query[i]))
            ++i;
        if (i == query.size())
            return true;
    }
    return false;
}

std::vector<FindMatch> FindText(const Model& model, const std::string& query, size_t limit)
{
    std::vector<FindMatch> out;
    if (query.empty())
        return out;
    const std::vector<Table>& tables = model.Tables();
    for (size_t t = 0; t < tables.size(); ++t)
        for (int row = 0; row < tables[t].Rows(); ++row)
            for (int column = 0; column < tables[t].Columns(); ++column) {
                std::string text = tables[t].Cell(row, column);
                if (!ContainsCaseless(text, query))
                    continue;
                out.push_back({static_cast<int>(t), row, column, std::move(text)});
                if (out.size() >= limit)
                    return out;
            }
    return out;
}

bool HasReferences(const std::string& tableId) { return SourceEntry(tableId, 0).has_value(); }

int ReferenceRows(const Model& model, const std::string& tableId)
{
    for (const AttackSource& s : kAttackLists)
        if (tableId == s.id)
            return names::Size(s.list);
    const Table* t = HasReferences(tableId) ? model.Find(tableId) : nullptr;
    return t ? t->Rows() : 0;
}

std::vector<Reference> WhereUsed(const Model& model, const std::string& tableId, int row)
{
    std::vector<Reference> out;
    if (row < 0 || row >= ReferenceRows(model, tableId))
        return out;
    const std::optional<names::ListEntry> thing = SourceEntry(tableId, row);
    if (!thing)
        return out;
    // Every cell that shows a code naming the thing, in table, row and column order.
    for (const Table& t : model.Tables()) {
        const TableLayout& layout = t.Layout();
        for (int r = 0; r < t.Rows(); ++r)
            for (int column = 1; column < t.Columns(); ++column) {
                const CodeCell cell = layout.CellCode(column);
                if (cell.array < 0 || t.IsValueColumn(column))
                    continue;
                const CodeNaming& naming = layout.codeArrays[static_cast<size_t>(cell.array)].naming;
                const int chooser =
                    cell.chooser < 0 ? 0 : t.CodeArrays()[static_cast<size_t>(cell.chooser)].At(r);
                const std::optional<names::ListEntry> named =
                    naming.Named(r, t.CodeArrays()[static_cast<size_t>(cell.array)].At(r, cell.k), chooser);
                if (!named || !(*named == *thing))
                    continue;
                std::string where = t.ColumnTitle(column);
                if (cell.chooser >= 0) // a loot drop says which of its lists: its category
                    where += " " + layout.codeArrays[static_cast<size_t>(cell.chooser)].naming.Text(
                                       t.Names(), r, chooser);
                out.push_back({t.Id(), r, column, where, t.RowLabel(r)});
            }
    }
    return out;
}

} // namespace dravik::rom
