#include "rom/CodeColumns.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <set>

#include "rom/Passes.h"

namespace dravik::rom {

namespace {
constexpr int kEmptySlot = 0xFF;

std::string EntryTitle(const Table& t, int array, int k)
{
    const CodeArray& codes = t.CodeArrays()[static_cast<size_t>(array)];
    return codes.perRow > 1 ? codes.name + "[" + std::to_string(k) + "]" : codes.name;
}

// The values of one entry the save pass accepts for this row.
std::vector<int> ValidValues(Table& t, int row, const EntryColumns& e)
{
    int& code = t.CodeArrays()[static_cast<size_t>(e.array)].At(row, e.k);
    const int kept = code;
    const std::string title = EntryTitle(t, e.array, e.k);
    std::vector<int> out;
    for (int v = 0; v <= 0xFF; ++v) {
        code = v;
        SaveContext ctx;
        SaveRow(ctx, t, row);
        bool ok = true;
        for (const CellError& error : ctx.errors)
            ok = ok && !(error.column < 0 && error.columnTitle == title);
        if (ok)
            out.push_back(v);
    }
    code = kept;
    return out;
}

// Where the bits a name does not show come from: the slot's code, or for an empty slot the
// first filled slot of the same array in the row; -1 when there is none.
int HiddenBitsSource(const Table& t, int row, const EntryColumns& e)
{
    const CodeArray& codes = t.CodeArrays()[static_cast<size_t>(e.array)];
    if (codes.At(row, e.k) != kEmptySlot)
        return codes.At(row, e.k);
    for (int k = 0; k < codes.perRow; ++k)
        if (codes.At(row, k) != kEmptySlot)
            return codes.At(row, k);
    return -1;
}

std::string HexList(const std::vector<uint64_t>& values, size_t entries)
{
    std::string out;
    for (size_t i = 0; i < values.size() && i < 8; ++i) {
        std::string one;
        for (size_t e = 0; e < entries; ++e) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "0x%02X",
                          static_cast<unsigned>((values[i] >> (8 * e)) & 0xFF));
            one += (e ? "/" : "") + std::string(buffer);
        }
        out += (i ? "、" : "") + one;
    }
    if (values.size() > 8)
        out += " 等 " + std::to_string(values.size()) + " 个";
    return out;
}
} // namespace

std::vector<EntryColumns> MapCodeEntries(const TableLayout& layout)
{
    std::vector<EntryColumns> out;
    Table probe(layout);
    if (probe.Rows() == 0)
        return out;
    probe.CodeArrays(); // from here on its code cells show names
    const Table blank = probe;
    for (size_t a = 0; a < probe.CodeArrays().size(); ++a) {
        for (int k = 0; k < probe.CodeArrays()[a].perRow; ++k) {
            std::set<int> columns;
            for (int value : {1, 2, 3, 8, 0x10, 0x40, 0x80, 0x81, 0xFF}) {
                probe.CodeArrays()[a].At(0, k) = value;
                for (int c = 1; c < probe.Columns(); ++c)
                    if (probe.Cell(0, c) != blank.Cell(0, c))
                        columns.insert(c);
            }
            probe.CodeArrays()[a].At(0, k) = 0;
            out.push_back({static_cast<int>(a), k, std::vector<int>(columns.begin(), columns.end())});
        }
    }
    return out;
}

std::string SetCodesByName(Table& t, int row, int column, const std::string& name)
{
    std::vector<EntryColumns> entries;
    for (const EntryColumns& e : MapCodeEntries(t.Layout()))
        for (int c : e.columns)
            if (c == column)
                entries.push_back(e);
    if (entries.empty() || entries.size() > 2)
        return "这一列不显示代码的名称";
    if (t.Cell(row, column) == name)
        return {};

    auto codeOf = [&](const EntryColumns& e) -> int& {
        return t.CodeArrays()[static_cast<size_t>(e.array)].At(row, e.k);
    };
    std::vector<std::vector<int>> valid;
    uint64_t current = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        valid.push_back(ValidValues(t, row, entries[i]));
        current |= static_cast<uint64_t>(codeOf(entries[i])) << (8 * i);
    }
    // Every combination of the entries' valid values whose cell shows the name.
    std::vector<uint64_t> matches;
    const size_t second = entries.size() > 1 ? valid[1].size() : 1;
    for (int v0 : valid[0])
        for (size_t j = 0; j < second; ++j) {
            codeOf(entries[0]) = v0;
            if (entries.size() > 1)
                codeOf(entries[1]) = valid[1][j];
            if (t.Cell(row, column) == name)
                matches.push_back(static_cast<uint64_t>(v0) |
                                  (entries.size() > 1 ? static_cast<uint64_t>(valid[1][j]) << 8 : 0));
        }
    for (size_t i = 0; i < entries.size(); ++i)
        codeOf(entries[i]) = static_cast<int>((current >> (8 * i)) & 0xFF);

    if (matches.empty())
        return "\"" + name + "\" 不是这一列任何代码的名称";
    // A code built by its row's rule, as the row editor builds it, when the rule gives one of them.
    const CodeNaming& naming = t.Layout().codeArrays[static_cast<size_t>(entries[0].array)].naming;
    if (entries.size() == 1 && naming.codeForEntry) {
        std::set<int> built;
        for (uint64_t m : matches) {
            const int entry = naming.EntryOf(row, static_cast<int>(m));
            const int code = entry < 0 ? -1 : naming.codeForEntry(row, entry);
            if (std::find(matches.begin(), matches.end(), static_cast<uint64_t>(code)) != matches.end())
                built.insert(code);
        }
        if (built.size() == 1) {
            codeOf(entries[0]) = *built.begin();
            return {};
        }
    }
    uint64_t chosen = matches[0];
    if (matches.size() > 1) {
        // The codes a name shows alike may differ only in bits it does not show at all.
        uint64_t varying = 0;
        for (uint64_t m : matches)
            varying |= m ^ matches[0];
        const bool onlyHiddenBits = matches.size() == (uint64_t{1} << std::bitset<64>(varying).count());
        uint64_t source = 0;
        bool haveSource = true;
        for (size_t i = 0; i < entries.size(); ++i) {
            const int from = HiddenBitsSource(t, row, entries[i]);
            haveSource = haveSource && (from >= 0 || ((varying >> (8 * i)) & 0xFF) == 0);
            source |= static_cast<uint64_t>(from < 0 ? 0 : from) << (8 * i);
        }
        if (!onlyHiddenBits || !haveSource || name == names::kPlaceholder)
            return "\"" + name + "\" 是多个代码的名称（" + HexList(matches, entries.size()) +
                   "），无法确定是哪一个";
        chosen = (source & varying) | (matches[0] & ~varying);
    }
    for (size_t i = 0; i < entries.size(); ++i)
        codeOf(entries[i]) = static_cast<int>((chosen >> (8 * i)) & 0xFF);
    return {};
}

} // namespace dravik::rom
