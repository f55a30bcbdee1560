#include "rom/CodeColumns.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <set>
#include <string_view>

#include "rom/Passes.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
constexpr int kEmptySlot = 0xFF;

// The codes of an entry the save accepts in this row: its field's range, within a byte.
ValueRange AcceptedRange(const TableLayout& layout, int array, int k, int row)
{
    const CodeArraySpec& arrayDecl = layout.codeArrays[static_cast<size_t>(array)];
    ValueRange range{0, 0xFF};
    for (const Field& f : layout.fields)
        if (f.codec == Codec::Code && f.codeIndex == k && arrayDecl.name == std::string_view(f.codeArray))
            range = ShownRange(f, row);
    return {std::max<int64_t>(range.min, 0), std::min<int64_t>(range.max, 0xFF)};
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
        out += (i ? Fill(Tables::tr("、")) : "") + one;
    }
    if (values.size() > 8)
        out = Fill(Tables::tr("%1 等 %2 个"), out, values.size());
    return out;
}
} // namespace

std::vector<EntryColumns> MapCodeEntries(const TableLayout& layout)
{
    std::vector<EntryColumns> out;
    for (size_t a = 0; a < layout.codeArrays.size(); ++a) {
        const CodeArraySpec& arrayDecl = layout.codeArrays[a];
        for (int k = 0; k < arrayDecl.perRow; ++k)
            out.push_back(
                {static_cast<int>(a), k,
                 arrayDecl.column < 0 ? std::vector<int>{} : std::vector<int>{arrayDecl.column + k}});
    }
    return out;
}

std::optional<Error> SetCodesByName(Table& t, int row, int column, const std::string& name)
{
    const auto refuse = [&](std::string why) { return CellRefusal(t, row, column, name, std::move(why)); };
    const TableLayout& layout = t.Layout();
    const CodeCell cell = layout.CellCode(column);
    if (cell.array < 0 || t.IsValueColumn(column))
        return refuse(Fill(Tables::tr("这一列不显示代码的名称")));
    if (t.Cell(row, column) == name)
        return std::nullopt;

    // The entries behind the cell in array order: the code it names, and its chooser if any.
    std::vector<EntryColumns> entries = {{cell.array, cell.k, {column}}};
    if (cell.chooser >= 0)
        entries.insert(cell.chooser < cell.array ? entries.begin() : entries.end(),
                       {cell.chooser, 0, {column}});
    const size_t shown = entries[0].array == cell.array ? 0 : 1;
    auto codeOf = [&](const EntryColumns& e) -> int& {
        return t.CodeArrays()[static_cast<size_t>(e.array)].At(row, e.k);
    };

    // The codes that show the name, as the entries' codes in array order (entry i in byte i), and
    // as the save accepts them: the chooser's codes are those that name an entry of its list.
    const CodeNaming& naming = layout.codeArrays[static_cast<size_t>(cell.array)].naming;
    std::vector<int> chooserCodes;
    if (cell.chooser >= 0) {
        const CodeNaming& chooser = layout.codeArrays[static_cast<size_t>(cell.chooser)].naming;
        for (int entry = 0; entry < names::Size(chooser.ListFor(row)); ++entry)
            chooserCodes.push_back(chooser.CodeOf(row, entry));
    }
    const ValueRange accepted = AcceptedRange(layout, cell.array, cell.k, row);
    std::vector<uint64_t> matches;
    for (const NamedCode& m : naming.CodesNamed(t.Names(), row, name, chooserCodes))
        if (m.code >= accepted.min && m.code <= accepted.max) {
            const auto code = static_cast<uint64_t>(m.code), chooser = static_cast<uint64_t>(m.chooserCode);
            matches.push_back(shown == 0 ? code | chooser << 8 : chooser | code << 8);
        }
    std::sort(matches.begin(), matches.end(), [](uint64_t a, uint64_t b) {
        return (a & 0xFF) != (b & 0xFF) ? (a & 0xFF) < (b & 0xFF) : a < b;
    });

    if (matches.empty())
        return refuse(Fill(Tables::tr("\"%1\" 不是这一列任何代码的名称"), name));
    // A code built by its row's rule, as the row editor builds it, when the rule gives one of them.
    if (entries.size() == 1 && naming.codeForEntry) {
        std::set<int> built;
        for (uint64_t m : matches) {
            const std::optional<names::ListEntry> entry = naming.Named(row, static_cast<int>(m));
            const int code = entry ? naming.codeForEntry(row, entry->entry) : -1;
            if (std::find(matches.begin(), matches.end(), static_cast<uint64_t>(code)) != matches.end())
                built.insert(code);
        }
        if (built.size() == 1) {
            codeOf(entries[0]) = *built.begin();
            return std::nullopt;
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
            return refuse(Fill(Tables::tr("\"%1\" 是多个代码的名称（%2），无法确定是哪一个"), name,
                               HexList(matches, entries.size())));

        chosen = (source & varying) | (matches[0] & ~varying);
    }
    for (size_t i = 0; i < entries.size(); ++i)
        codeOf(entries[i]) = static_cast<int>((chosen >> (8 * i)) & 0xFF);
    return std::nullopt;
}

} // namespace dravik::rom
