#include "rom/Layout.h"

#include <algorithm>

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
        return out;
    }();
    return layouts;
}

std::vector<int> TableLayout::ValueColumns() const
{
    std::vector<int> out = hookColumns;
    for (const Field& f : fields)
        if (f.codec != Codec::Code && !f.saveOnly)
            out.push_back(f.column);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

Field Whole(uint32_t offset, int width, int column, RowFn flag)
{
    Field f;
    f.offset = offset;
    f.width = width;
    f.codec = Codec::Whole;
    f.column = column;
    f.flag = flag;
    return f;
}

Field Hundredths(uint32_t offset, int width, int column, RowFn flag)
{
    Field f = Whole(offset, width, column, flag);
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

std::vector<std::string> Slice(names::List list, int first, int count)
{
    const std::vector<std::string>& all = names::Get(list);
    std::vector<std::string> out;
    for (int i = first; i < first + count; ++i)
        out.push_back(i < static_cast<int>(all.size()) ? all[static_cast<size_t>(i)] : std::string());
    return out;
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
