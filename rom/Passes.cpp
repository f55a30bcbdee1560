#include "rom/Passes.h"

#include <algorithm>
#include <sstream>

#include "rom/Codecs.h"
#include "rom/HalfWidth.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
std::string RangeText(Codec codec, ValueRange range)
{
    if (codec == Codec::Hundredths)
        return Fill(Tables::tr("%1 到 %2"), FormatHundredths(static_cast<int32_t>(range.min)),
                    FormatHundredths(static_cast<int32_t>(range.max)));
    return Fill(Tables::tr("%1 到 %2"), range.min, range.max);
}

void LoadField(const LoadContext& ctx, const Field& f, Table& table, int row)
{
    const TableLayout& layout = table.Layout();
    const int64_t stored = ctx.Read(f.Address(layout.base, layout.stride, row), f.width);
    const int flag = f.FlagOf(row);
    switch (f.codec) {
    case Codec::Whole: table.SetCell(row, f.column, FormatWhole(static_cast<int32_t>(stored - flag))); break;
    case Codec::Hundredths:
        table.SetCell(row, f.column, FormatHundredths(static_cast<int32_t>(stored - flag)));
        break;
    case Codec::Code:
        table.SetCode(f.codeArray, row, f.codeIndex,
                      static_cast<int>(f.flagUse == FlagUse::LowNibble ? stored % 16 : stored - flag));
        break;
    }
}

void SaveField(SaveContext& ctx, const Field& f, const Table& table, int row)
{
    const TableLayout& layout = table.Layout();
    const ValueRange range = ShownRange(f, row);
    std::optional<int64_t> value = f.codec == Codec::Code
                                       ? ctx.CodeValue(table, row, f.codeArray, f.codeIndex, range)
                                       : ctx.Number(table, row, f.column, f.codec, range);
    if (value)
        ctx.Write(f.Address(layout.base, layout.stride, row), f.width, *value + f.FlagOf(row));
}
} // namespace

Error CellRefusal(const Table& table, int row, int column, std::string text, std::string reason,
                  std::string title)
{
    Error e;
    e.what = Error::Kind::InCell;
    e.table = table.Title();
    e.tableId = table.Id();
    // People count rows from 1; the JSON and the model count from 0.
    e.row = row >= 0 ? row + 1 : 0;
    if (row >= 0 && row < table.Rows())
        e.rowLabel = table.RowLabel(row);
    e.columnIndex = column >= 0 && column < table.Columns() ? column : -1;
    e.column = title.empty() ? table.ColumnTitle(column) : std::move(title);
    e.text = std::move(text);
    e.detail = std::move(reason);
    return e;
}

namespace {
// The field bytes of every table at the layouts' offsets, joined where they lie close.
std::vector<ByteRange> LayoutRanges()
{
    constexpr uint32_t kJoin = 4096; // reading a short gap costs less than another read
    std::vector<ByteRange> fields;
    for (const TableLayout& layout : AllLayouts())
        for (const auto* list : {&layout.fields, &layout.hookFields})
            for (const Field& f : *list) // rows ascend, so the first and the last row bound the field
                fields.push_back(ByteRange{f.Address(layout.base, layout.stride, 0),
                                           f.Address(layout.base, layout.stride, layout.Rows() - 1) +
                                               static_cast<uint32_t>(f.width)});
    std::sort(fields.begin(), fields.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.begin < b.begin; });
    std::vector<ByteRange> joined;
    for (const ByteRange& s : fields) {
        if (!joined.empty() && s.begin <= joined.back().end + kJoin)
            joined.back().end = std::max(joined.back().end, s.end);
        else
            joined.push_back(s);
    }
    return joined;
}
} // namespace

const std::vector<ByteRange>& TableRanges(ImageForm form)
{
    static const std::vector<ByteRange> headered = LayoutRanges();
    static const std::vector<ByteRange> plain = [] {
        std::vector<ByteRange> out = headered;
        for (ByteRange& s : out)
            s = ByteRange{s.begin - kCopierHeaderSize, s.end - kCopierHeaderSize};
        return out;
    }();
    return form.header ? headered : plain;
}

uint32_t ImageForm::MinimumSize() const { return TableRanges(*this).back().end; }

LoadContext::LoadContext(const Bytes& image, ImageForm form, std::vector<Span>* reads)
    : views_{{0, image.data(), image.size()}}, form_(form), reads_(reads)
{
}

LoadContext::LoadContext(const std::vector<ImagePart>& parts, ImageForm form) : form_(form)
{
    for (const ImagePart& p : parts)
        views_.push_back(View{p.offset, p.bytes.data(), p.bytes.size()});
}

uint32_t LoadContext::Read(uint32_t layoutOffset, int width) const
{
    const uint32_t offset = form_.FileOffset(layoutOffset);
    if (reads_)
        reads_->push_back(Span{offset, width});
    uint32_t value = 0;
    for (const View& v : views_) {
        if (offset < v.offset || offset - v.offset >= v.size)
            continue;
        const size_t at = offset - v.offset;
        for (int i = 0; i < width && at + i < v.size; ++i)
            value |= static_cast<uint32_t>(v.data[at + i]) << (8 * i);
        break;
    }
    return value;
}

std::optional<int64_t> SaveContext::Number(const Table& table, int row, int column, Codec codec,
                                           ValueRange range)
{
    const std::string& text = table.Cell(row, column);
    const std::string number = ToHalfWidth(text);
    const std::optional<int64_t> value =
        codec == Codec::Hundredths ? ParseHundredths(number) : ParseWhole(number);
    // A negative number is a number all the same, below every field's range.
    const std::string trimmed = TrimSpace(number);
    const bool negative =
        !value && trimmed.size() > 1 && trimmed[0] == '-' &&
        (codec == Codec::Hundredths ? ParseHundredths(trimmed.substr(1)) : ParseWhole(trimmed.substr(1)));
    const bool inRange = value && *value >= range.min && *value <= range.max;
    if (inRange)
        return value;
    if (text == table.BaselineCell(row, column))
        return std::nullopt; // unchanged since the load: the stored bytes stay as they are
    // A cell the game keeps twice is written twice but is still one cell to the user.
    for (const Error& e : errors)
        if (e.columnIndex == column && e.row == row + 1 && e.tableId == table.Id())
            return std::nullopt;
    errors.push_back(CellRefusal(table, row, column, text,
                                 value || negative ? Fill(Tables::tr("超出范围 %1"), RangeText(codec, range))
                                                   : Fill(Tables::tr("不是数字"))));
    return std::nullopt;
}

std::optional<int64_t> SaveContext::CodeValue(const Table& table, int row, const std::string& array, int k,
                                              ValueRange range)
{
    const int value = table.Code(array, row, k);
    if (value >= range.min && value <= range.max)
        return value;
    const CodeArray* codes = table.FindCodes(array);
    const std::string title = codes && codes->perRow > 1 ? array + "[" + std::to_string(k) + "]" : array;
    errors.push_back(CellRefusal(table, row, -1, std::to_string(value),
                                 Fill(Tables::tr("代码超出范围 %1"), RangeText(Codec::Whole, range)), title));

    return std::nullopt;
}

void SaveContext::Write(uint32_t layoutOffset, int width, int64_t value)
{
    const uint32_t mask = width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
    patches.push_back(Patch{form_.FileOffset(layoutOffset), width, static_cast<uint32_t>(value) & mask});
}

namespace {
void LoadTables(const LoadContext& ctx, Model& model)
{
    for (Table& table : model.Tables()) {
        for (int row = 0; row < table.Rows(); ++row)
            LoadRow(ctx, table, row);
        table.SetBaseline();
    }
}
} // namespace

void LoadTables(const Bytes& image, Model& model, ImageForm form)
{
    LoadTables(LoadContext(image, form), model);
}

void LoadTables(const std::vector<ImagePart>& parts, Model& model, ImageForm form)
{
    LoadTables(LoadContext(parts, form), model);
}

void LoadRow(const LoadContext& ctx, Table& table, int row)
{
    const TableLayout& layout = table.Layout();
    for (const Field& f : layout.fields)
        if (!f.saveOnly)
            LoadField(ctx, f, table, row);
    if (layout.load)
        layout.load(ctx, table, row);
}

SavePlan PlanSave(const Model& model, ImageForm form)
{
    SaveContext ctx(form);
    for (const Table& table : model.Tables())
        for (int row = 0; row < table.Rows(); ++row)
            SaveRow(ctx, table, row);
    SavePlan plan;
    plan.errors = std::move(ctx.errors);
    if (plan.errors.empty())
        plan.patches = std::move(ctx.patches);
    return plan;
}

void SaveRow(SaveContext& ctx, const Table& table, int row)
{
    const TableLayout& layout = table.Layout();
    for (const Field& f : layout.fields)
        SaveField(ctx, f, table, row);
    if (layout.save)
        layout.save(ctx, table, row);
}

void ApplyPatches(const std::vector<Patch>& patches, Bytes& image)
{
    for (const Patch& p : patches)
        for (int i = 0; i < p.width; ++i)
            if (p.offset + i < image.size())
                image[p.offset + i] = static_cast<uint8_t>(p.value >> (8 * i));
}

void ApplyPatches(const std::vector<Patch>& patches, std::vector<ImagePart>& parts)
{
    for (const Patch& p : patches)
        for (int i = 0; i < p.width; ++i) {
            const uint32_t offset = p.offset + static_cast<uint32_t>(i);
            // The parts are in ascending order: the last one that starts at or before offset.
            auto part = std::upper_bound(parts.begin(), parts.end(), offset,
                                         [](uint32_t o, const ImagePart& q) { return o < q.offset; });
            if (part == parts.begin())
                continue;
            --part;
            if (offset - part->offset < part->bytes.size())
                part->bytes[offset - part->offset] = static_cast<uint8_t>(p.value >> (8 * i));
        }
}

} // namespace dravik::rom
