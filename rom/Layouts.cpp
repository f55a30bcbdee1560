#include "rom/Layout.h"

#include <algorithm>
#include <string_view>

namespace dravik::rom {

const std::vector<TableLayout>& AllLayouts()
{
    static const std::vector<TableLayout> layouts = [] {
        std::vector<TableLayout> out;
        AddTankPartTables(out);       // steps 1-6
        AddTankTables(out);           // 7-8
        AddHumanEquipmentTables(out); // 9-13
        AddShopTables(out);           // 14-21
        AddMonsterTables(out);        // 22
        for (TableLayout& layout : out)
            for (Field& f : layout.fields)
                for (const CodeArraySpec& arrayDecl : layout.codeArrays)
                    if (f.codec == Codec::Code && f.codeArray == std::string(arrayDecl.name))
                        f.key = EntryKey(arrayDecl.name, f.codeIndex, arrayDecl.perRow);
        return out;
    }();
    return layouts;
}

std::vector<int> TableLayout::ValueColumns() const
{
    std::vector<int> out;
    for (const KeyedColumn& h : hookColumns)
        out.push_back(h.column);
    for (const Field& f : fields)
        if (f.codec != Codec::Code && !f.saveOnly)
            out.push_back(f.column);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

const CodeArraySpec* TableLayout::FindCodeArray(const std::string& name) const
{
    for (const CodeArraySpec& arrayDecl : codeArrays)
        if (name == arrayDecl.name)
            return &arrayDecl;
    return nullptr;
}

int TableLayout::Column(const std::string& key) const
{
    if (key == kNameKey)
        return 0;
    for (const KeyedColumn& h : hookColumns)
        if (key == h.key)
            return h.column;
    for (const Field& f : fields)
        if (f.codec != Codec::Code && f.key == key)
            return f.column;
    if (const std::optional<Entry> e = CodeEntry(key)) {
        const CodeArraySpec& arrayDecl = codeArrays[static_cast<size_t>(e->array)];
        return arrayDecl.column < 0 ? -1 : arrayDecl.column + (arrayDecl.perRow > 1 ? e->k : 0);
    }
    return -1;
}

std::optional<TableLayout::Entry> TableLayout::CodeEntry(const std::string& key) const
{
    // The key is taken apart rather than every entry's key built and compared: the cells that
    // show codes look their columns up by key on every read.
    const size_t open = key.find('[');
    const std::string_view name = std::string_view(key).substr(0, open);
    int k = 0;
    if (open != std::string::npos) {
        const std::string_view index = std::string_view(key).substr(open + 1);
        if (index.size() < 2 || index.size() > 4 || index.back() != ']' ||
            (index[0] == '0' && index.size() > 2))
            return std::nullopt;
        for (const char c : index.substr(0, index.size() - 1)) {
            if (c < '0' || c > '9')
                return std::nullopt;
            k = k * 10 + (c - '0');
        }
    }
    for (size_t a = 0; a < codeArrays.size(); ++a) {
        const CodeArraySpec& arrayDecl = codeArrays[a];
        if (name == arrayDecl.name && (arrayDecl.perRow > 1) == (open != std::string::npos) &&
            k < arrayDecl.perRow)
            return Entry{static_cast<int>(a), k};
    }
    return std::nullopt;
}

std::string TableLayout::ValueKey(int column) const
{
    for (const KeyedColumn& h : hookColumns)
        if (h.column == column)
            return h.key;
    for (const Field& f : fields)
        if (f.codec != Codec::Code && f.column == column)
            return f.key;
    return {};
}

std::string EntryKey(const std::string& array, int k, int perRow)
{
    return perRow > 1 ? array + "[" + std::to_string(k) + "]" : array;
}

int CodeNaming::EntryOf(int row, int code) const
{
    if (!named)
        return -1;
    const int entry = ((code & mask) >> shift) - first;
    const int size = names::Size(ListFor(row));
    return entry >= 0 && entry < size ? entry : -1;
}

CodeNaming NamedBy(names::List list, int first, int mask, int shift)
{
    CodeNaming n;
    n.named = true;
    n.list = list;
    n.first = first;
    n.mask = mask;
    n.shift = shift;
    return n;
}

CodeNaming NamedByRow(names::List (*listForRow)(int row))
{
    CodeNaming n;
    n.named = true;
    n.list = listForRow(0);
    n.listForRow = listForRow;
    return n;
}

Field Whole(const char* key, uint32_t offset, int width, int column, RowFn flag)
{
    Field f;
    f.key = key;
    f.offset = offset;
    f.width = width;
    f.codec = Codec::Whole;
    f.column = column;
    f.flag = flag;
    return f;
}

Field Hundredths(const char* key, uint32_t offset, int width, int column, RowFn flag)
{
    Field f = Whole(key, offset, width, column, flag);
    f.codec = Codec::Hundredths;
    return f;
}

Field CodeField(uint32_t offset, const char* array, int index)
{
    Field f;
    f.offset = offset;
    f.width = 1;
    f.codec = Codec::Code;
    f.codeArray = array;
    f.codeIndex = index;
    return f;
}

Field At(uint32_t base, uint32_t stride, Field field)
{
    field.base = base;
    field.stride = stride;
    return field;
}

std::string RowNames::Label(int row) const
{
    if (!fixed.empty())
        return row >= 0 && row < Rows() ? fixed[static_cast<size_t>(row)] : std::string();
    const std::vector<std::string>& all = names::Get(list);
    const int i = first + row;
    return row >= 0 && row < count && i < static_cast<int>(all.size()) ? all[static_cast<size_t>(i)]
                                                                       : std::string();
}

RowNames NamedRows(names::List list, int first, int count) { return RowNames{list, first, count, {}}; }

RowNames NamedRows(names::List list) { return NamedRows(list, 0, static_cast<int>(names::Get(list).size())); }

RowNames FixedRows(std::vector<std::string> labels)
{
    return RowNames{names::List::Items, 0, 0, std::move(labels)};
}

ValueRange ShownRange(const Field& field, int row)
{
    const int64_t maxStored = (int64_t{1} << (8 * field.width)) - 1;
    const int64_t flag = field.FlagOf(row);
    if (field.codec == Codec::Code) {
        if (field.flagUse == FlagUse::LowNibble)
            return {0, 15};
        ValueRange r{-flag, maxStored - flag};
        if (flag > 0)
            r.max = std::min<int64_t>(r.max, (flag & -flag) - 1);
        if (field.maxCode >= 0)
            r.max = std::min<int64_t>(r.max, field.maxCode);
        return r;
    }
    ValueRange r{std::max<int64_t>(0, -flag), maxStored - flag};
    if (flag > 0)
        r.max = std::min<int64_t>(r.max, (flag & -flag) - 1); // below the flag's lowest bit
    return r;
}

} // namespace dravik::rom
