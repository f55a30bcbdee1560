#include "rom/Layout.h"

#include <algorithm>
#include <string_view>

#include "rom/Codecs.h"

namespace dravik::rom {

namespace {
bool IsByte(int code) { return code >= 0 && code <= 0xFF; }

// The bits of a code that its name reads, ((code & mask) >> shift).
int NamedBits(const CodeNaming& n) { return n.mask & ~((1 << n.shift) - 1) & 0xFF; }

// The codes whose named bits read `value`: every setting of the bits the name does not show.
void AddCodesReading(const CodeNaming& n, int value, std::vector<NamedCode>& out)
{
    const int fixed = value << n.shift;
    const int free = 0xFF & ~NamedBits(n);
    if (value < 0 || (fixed & ~NamedBits(n)) != 0)
        return;
    for (int bits = free;; bits = (bits - 1) & free) {
        if ((fixed | bits) != n.emptyCode)
            out.push_back({fixed | bits});
        if (bits == 0)
            break;
    }
}

int ArrayIndex(const TableLayout& layout, const std::string& name)
{
    for (size_t a = 0; a < layout.codeArrays.size(); ++a)
        if (name == layout.codeArrays[a].name)
            return static_cast<int>(a);
    return -1;
}

// Which code each column shows: the arrays' columns, where a chooser yields its column to the
// array it names the codes of.
void FillCodeCells(TableLayout& layout)
{
    layout.codeCells.assign(layout.columns.size(), CodeCell{});
    for (size_t a = 0; a < layout.codeArrays.size(); ++a) {
        const CodeArraySpec& arrayDecl = layout.codeArrays[a];
        const bool isChooser =
            std::any_of(layout.codeArrays.begin(), layout.codeArrays.end(), [&](const auto& o) {
                return o.naming.Chosen() && arrayDecl.name == std::string_view(o.naming.chooser);
            });
        if (arrayDecl.column < 0 || isChooser)
            continue;
        for (int k = 0; k < arrayDecl.perRow; ++k)
            layout.codeCells[static_cast<size_t>(arrayDecl.column + k)] =
                CodeCell{static_cast<int>(a), k,
                         arrayDecl.naming.Chosen() ? ArrayIndex(layout, arrayDecl.naming.chooser) : -1};
    }
}
} // namespace

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
        for (TableLayout& layout : out)
            FillCodeCells(layout);
        return out;
    }();
    return layouts;
}

const TableLayout* FindLayout(const std::string& id)
{
    for (const TableLayout& layout : AllLayouts())
        if (id == layout.id)
            return &layout;
    return nullptr;
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

std::string TableLayout::WidestValue(int column) const
{
    std::string widest;
    int32_t widestValue = 0;
    for (const std::vector<Field>* declared : {&fields, &hookFields})
        for (const Field& f : *declared) {
            if (f.codec == Codec::Code || f.saveOnly || f.column != column)
                continue;
            for (int row = 0; row < Rows(); ++row) {
                const ValueRange range = ShownRange(f, row);
                for (const int64_t value : {range.min, range.max}) {
                    const auto shown = static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
                    std::string text =
                        f.codec == Codec::Hundredths ? FormatHundredths(shown) : FormatWhole(shown);
                    // Of texts of one length, the largest number's.
                    if (text.size() > widest.size() ||
                        (text.size() == widest.size() && shown > widestValue)) {
                        widest = std::move(text);
                        widestValue = shown;
                    }
                }
            }
        }
    return widest;
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

std::optional<names::ListEntry> CodeNaming::Named(int row, int code, int chooserCode) const
{
    if (!named || !IsByte(code) || code == emptyCode)
        return std::nullopt;
    names::ListEntry e{ListFor(row), ((code & mask) >> shift) - first};
    if (entryOf) {
        if (chooserCode < 0)
            return std::nullopt;
        e = entryOf(chooserCode, code);
    }
    const int size = names::Size(e.list);
    if (unnamed == Unnamed::Last && e.entry >= size)
        e.entry = size - 1;
    return e.entry >= 0 && e.entry < size ? std::optional(e) : std::nullopt;
}

std::string CodeNaming::Text(const names::NameSet& names, int row, int code, int chooserCode) const
{
    if (!named)
        return {};
    if (code == emptyCode && IsByte(code) && !(entryOf && chooserCode < 0))
        return names::kEmpty;
    if (const std::optional<names::ListEntry> e = Named(row, code, chooserCode))
        return names.Names(e->list)[static_cast<size_t>(e->entry)];
    if (unnamed == Unnamed::Last) // outside a byte: below the first entry or past the last
        return names.Names(list)[code < 0 ? 0 : static_cast<size_t>(names::Size(list) - 1)];
    return unnamed == Unnamed::Blank ? std::string() : names::UnknownCode(code);
}

std::vector<NamedCode> CodeNaming::CodesNamed(const names::NameSet& names, int row, const std::string& name,
                                              const std::vector<int>& chooserCodes) const
{
    std::vector<NamedCode> out;
    if (!named)
        return out;
    const std::vector<int> choosers = Chosen() ? chooserCodes : std::vector<int>{0};
    if (name == names::kEmpty && IsByte(emptyCode))
        for (const int chooser : choosers)
            out.push_back({emptyCode, chooser});

    for (const names::ListEntry& e : names.EntriesNamed(name)) {
        if (Chosen()) {
            for (const NamedCode& c : codesOf(e))
                if (c.code != emptyCode && IsByte(c.code) &&
                    std::find(choosers.begin(), choosers.end(), c.chooserCode) != choosers.end())
                    out.push_back(c);
        } else if (e.list == ListFor(row)) {
            // Under Unnamed::Last every value past the list's end names its last entry.
            const bool andPast = unnamed == Unnamed::Last && e.entry == names::Size(e.list) - 1;
            const int lastValue = andPast ? NamedBits(*this) >> shift : first + e.entry;
            for (int value = first + e.entry; value <= lastValue; ++value)
                AddCodesReading(*this, value, out);
        }
    }

    // Codes without an entry: the one an unknown code's text names, or all of them where they
    // show one text alike.
    std::vector<int> unnamedCodes;
    if (unnamed == Unnamed::Unknown) {
        if (const std::optional<int> code = names::UnknownCodeOf(name))
            unnamedCodes.push_back(*code);
    } else if (name == (unnamed == Unnamed::Last
                            ? names.Names(list)[static_cast<size_t>(names::Size(list) - 1)]
                            : std::string())) {
        for (int code = 0; code <= 0xFF; ++code)
            unnamedCodes.push_back(code);
    }
    for (const int code : unnamedCodes)
        for (const int chooser : choosers)
            if (IsByte(code) && code != emptyCode && !Named(row, code, chooser))
                out.push_back({code, chooser});

    std::sort(out.begin(), out.end(), [](const NamedCode& a, const NamedCode& b) {
        return a.chooserCode != b.chooserCode ? a.chooserCode < b.chooserCode : a.code < b.code;
    });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

int CodeNaming::CodeOf(int row, int entry) const
{
    return codeForEntry ? codeForEntry(row, entry) : (first + entry) << shift;
}

std::vector<std::string> CodeNaming::ListTexts(const names::NameSet& names, int row) const
{
    std::vector<std::string> texts = names.Combo(ListFor(row));
    if (emptyCode >= 0)
        texts.push_back(names::kEmpty);
    return texts;
}

int CodeNaming::ListIndex(int row, int code) const
{
    const int size = names::Size(ListFor(row));
    if (emptyCode >= 0 && code == emptyCode)
        return size;
    if (!IsByte(code))
        return -1;
    const int entry = ((code & mask) >> shift) - first;
    return entry >= 0 && entry < size + (emptyCode >= 0 ? 1 : 0) ? entry : -1;
}

int CodeNaming::CodeForIndex(int row, int index, int oldCode) const
{
    const int size = names::Size(ListFor(row));
    if (emptyCode >= 0 && index == size)
        return emptyCode;
    return index >= 0 && index < size ? CodeOf(row, index) : oldCode;
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

CodeNaming SlotNamedBy(names::List list, int first, int mask)
{
    CodeNaming n = NamedBy(list, first, mask);
    n.emptyCode = 0xFF;
    return n;
}

CodeNaming ChosenBy(const char* chooser, names::ListEntry (*entryOf)(int chooserCode, int code),
                    std::vector<NamedCode> (*codesOf)(names::ListEntry entry))
{
    CodeNaming n;
    n.named = true;
    n.chooser = chooser;
    n.entryOf = entryOf;
    n.codesOf = codesOf;
    n.emptyCode = 0xFF;
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

std::string RowNames::Label(const names::NameSet& names, int row) const
{
    if (!fixed.empty())
        return row >= 0 && row < Rows() ? fixed[static_cast<size_t>(row)] : std::string();
    const std::vector<std::string>& all = names.Names(list);
    const int i = first + row;
    return row >= 0 && row < count && i < static_cast<int>(all.size()) ? all[static_cast<size_t>(i)]
                                                                       : std::string();
}

RowNames NamedRows(names::List list, int first, int count) { return RowNames{list, first, count, {}}; }

RowNames NamedRows(names::List list) { return NamedRows(list, 0, names::Size(list)); }

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
