#include "rom/Find.h"

namespace dravik::rom {

namespace {

constexpr int kEmptyCode = 0xFF;

// What a code space calls the thing a row stands for.
enum class Kind { TankPart, TankItem, Equipment, Item, AttackA, AttackB };

struct Source {
    const char* table;
    Kind kind;
    int first; // the row's index in its code space is first + row
};

// The block of each code space a table covers (the name lists' sub-ranges).
constexpr Source kSources[] = {
    {"main_cannons", Kind::TankPart, 0},     {"sub_cannons", Kind::TankPart, 32},
    {"special_cannons", Kind::TankPart, 54}, {"control_systems", Kind::TankPart, 74},
    {"engines", Kind::TankPart, 94},         {"tank_items", Kind::TankItem, 0},
    {"human_weapons", Kind::Equipment, 0},   {"head_armour", Kind::Equipment, 48},
    {"body_armour", Kind::Equipment, 64},    {"hand_foot_armour", Kind::Equipment, 88},
    {"armour_pieces", Kind::Equipment, 108}, {"items", Kind::Item, 0},
    {"attacks_a", Kind::AttackA, 0},         {"attacks_b", Kind::AttackB, 0},
};

const Source* FindSource(const std::string& tableId)
{
    for (const Source& s : kSources)
        if (tableId == s.table)
            return &s;
    return nullptr;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void Add(const Table& t, int row, int column, const std::string& where, std::vector<Reference>& out)
{
    out.push_back({t.Id(), row, column, where, t.RowLabel(row)});
}

// Every entry of `array` in `t` for which `matches(code)` holds.
template <typename Match>
void Scan(const Table& t, const char* array, Match matches, std::vector<Reference>& out)
{
    const CodeArray* codes = t.FindCodes(array);
    if (!codes)
        return;
    for (int row = 0; row < t.Rows(); ++row)
        for (int k = 0; k < codes->perRow; ++k)
            if (matches(codes->At(row, k)) && codes->column >= 0)
                Add(t, row, codes->column + k, t.ColumnTitle(codes->column + k), out);
}

// Loot: a category 0-7 draws from human things (equipment below 0x80, items from 0x80), 8-15 from
// tank things (parts below 0x80, tank items from 0x80).
void ScanLoot(const Table& monsters, bool tank, int code, std::vector<Reference>& out)
{
    const std::vector<std::string>& categories = names::Get(names::List::LootCategories);
    const struct {
        const char* category;
        const char* loot;
        int column;
    } drops[] = {{"early_category", "early_loot", 17}, {"late_category", "late_loot", 18}};
    for (int row = 0; row < monsters.Rows(); ++row)
        for (const auto& d : drops) {
            const int category = monsters.Code(d.category, row);
            if ((category >= 8) == tank && monsters.Code(d.loot, row) == code) {
                const std::string name = category >= 0 && category < static_cast<int>(categories.size())
                                             ? categories[category]
                                             : "";
                Add(monsters, row, d.column, monsters.ColumnTitle(d.column) + " " + name, out);
            }
        }
}

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

bool HasReferences(const std::string& tableId) { return FindSource(tableId) != nullptr; }

int ReferenceRows(const Model& model, const std::string& tableId)
{
    const Source* source = FindSource(tableId);
    if (!source)
        return 0;
    if (source->kind == Kind::AttackA || source->kind == Kind::AttackB)
        return static_cast<int>(
            names::Get(source->kind == Kind::AttackA ? names::List::AttacksA : names::List::AttacksB).size());
    const Table* t = model.Find(tableId);
    return t ? t->Rows() : 0;
}

std::vector<Reference> WhereUsed(const Model& model, const std::string& tableId, int row)
{
    std::vector<Reference> out;
    const Source* source = FindSource(tableId);
    if (!source || row < 0 || row >= ReferenceRows(model, tableId))
        return out;
    const int index = source->first + row;
    const Table* tanks = model.Find("tanks");
    const Table* characters = model.Find("characters");
    const Table* monsters = model.Find("monsters");
    if (!tanks || !characters || !monsters)
        return out;
    // Slots keep their high bit for the game's own use; the name, and so the thing, is in the rest.
    const auto slot = [index](int code) { return code != kEmptyCode && (code & 0x7F) == index; };
    switch (source->kind) {
    case Kind::TankPart:
        Scan(*tanks, "parts", slot, out);
        ScanLoot(*monsters, true, index, out);
        break;
    case Kind::TankItem:
        Scan(*tanks, "items", slot, out);
        ScanLoot(*monsters, true, 0x80 + index, out);
        break;
    case Kind::Item:
        Scan(
            *characters, "items", [index](int code) { return code == index; }, out);
        ScanLoot(*monsters, false, 0x80 + index, out);
        break;
    case Kind::Equipment:
        Scan(
            *characters, "equipment", [index](int code) { return code == 0x80 + index; }, out);
        ScanLoot(*monsters, false, index, out);
        break;
    case Kind::AttackA:
    case Kind::AttackB: {
        // Monsters 0-46 use list B, the rest list A.
        const bool listA = source->kind == Kind::AttackA;
        const CodeArray* attacks = monsters->FindCodes("attacks");
        for (int m = 0; attacks && m < monsters->Rows(); ++m)
            if ((m >= 47) == listA)
                for (int k = 0; k < attacks->perRow; ++k)
                    if (attacks->At(m, k) == index)
                        Add(*monsters, m, attacks->column + k, monsters->ColumnTitle(attacks->column + k),
                            out);
        break;
    }
    }
    return out;
}

} // namespace dravik::rom
