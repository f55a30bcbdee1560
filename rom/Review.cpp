#include "rom/Review.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "rom/InternalHeader.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
std::string Hex(int value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, static_cast<unsigned>(value));
    return buffer;
}

std::string CodeText(const std::string& name, int code)
{
    return name.empty() ? Hex(code, 2) : name + " [" + Hex(code, 2) + "]";
}

void AddRow(const Table& t, int row, std::vector<ReviewEntry>& out)
{
    std::vector<ReviewEntry> entries;
    for (int column : t.Layout().ValueColumns()) {
        const std::string& before = t.BaselineCell(row, column);
        const std::string& after = t.Cell(row, column);
        if (before != after)
            entries.push_back({t.Id(), t.Title(), row, t.RowLabel(row), column, t.ColumnTitle(column), before,
                               after, false});
    }
    for (const CodeArray& a : t.CodeArrays()) {
        for (int k = 0; k < a.perRow; ++k) {
            const int before = t.BaselineCode(a.name, row, k);
            const int after = a.At(row, k);
            if (before == after)
                continue;
            ReviewEntry e{t.Id(), t.Title(), row, t.RowLabel(row), -1, a.name, {}, {}, true};
            if (a.column >= 0) {
                e.column = a.column + k;
                e.columnTitle = t.ColumnTitle(e.column);
                e.before = CodeText(t.BaselineCell(row, e.column), before);
                e.after = CodeText(t.Cell(row, e.column), after);
            } else {
                if (a.perRow > 1)
                    e.columnTitle += "[" + std::to_string(k) + "]";
                e.before = CodeText({}, before);
                e.after = CodeText({}, after);
            }
            entries.push_back(std::move(e));
        }
    }
    // Fields in the order the row shows them; codes no cell shows come last.
    std::stable_sort(entries.begin(), entries.end(), [](const ReviewEntry& a, const ReviewEntry& b) {
        return static_cast<unsigned>(a.column) < static_cast<unsigned>(b.column);
    });
    out.insert(out.end(), entries.begin(), entries.end());
}
} // namespace

std::string ReviewEntry::Describe() const
{
    return Fill(Tables::tr("表「%1」 第 %2 行「%3」 列「%4」: \"%5\" -> \"%6\""), ShownTitle(tableTitle),
                row + 1, rowLabel, ShownTitle(columnTitle), before, after);
}

std::vector<ReviewEntry> ChangedFields(const Model& model)
{
    std::vector<ReviewEntry> out;
    for (const Table& t : model.Tables())
        for (int row = 0; row < t.Rows(); ++row)
            AddRow(t, row, out);
    return out;
}

std::vector<Error> CheckEdit(const Table& table, const Edit& edit)
{
    Model scratch;
    Table* copy = scratch.Find(table.Id());
    if (!copy || edit.TableId() != table.Id())
        return {};
    *copy = table;
    std::set<std::pair<int, int>> cells;
    std::set<std::pair<int, std::string>> codes;
    for (const Edit::Cell& c : edit.Cells()) {
        copy->SetCell(c.row, c.column, c.text);
        cells.insert({c.row, c.column});
    }
    for (const Edit::Code& c : edit.Codes()) {
        const CodeArray* a = copy->FindCodes(c.array);
        if (!a || c.row < 0 || c.row >= copy->Rows() || c.k < 0 || c.k >= a->perRow)
            continue;
        copy->SetCode(c.array, c.row, c.k, c.value);
        codes.insert({c.row, a->perRow > 1 ? c.array + "[" + std::to_string(c.k) + "]" : c.array});
    }
    std::vector<Error> out;
    for (Error& e : PlanSave(scratch).errors) {
        if (e.tableId != table.Id())
            continue;
        const int row = e.row - 1;
        if (e.columnIndex >= 0 ? cells.count({row, e.columnIndex}) > 0 : codes.count({row, e.column}) > 0)
            out.push_back(std::move(e));
    }
    return out;
}

namespace {
// The bytes a save writes for some rows of a table, by file offset; later writes win.
std::map<uint32_t, uint8_t> Written(const Table& table, const std::set<int>& rows, ImageForm form)
{
    SaveContext ctx(form);
    for (const int row : rows)
        SaveRow(ctx, table, row);
    std::map<uint32_t, uint8_t> written;
    for (const Patch& p : ctx.patches)
        for (int i = 0; i < p.width; ++i)
            written[p.offset + static_cast<uint32_t>(i)] = static_cast<uint8_t>(p.value >> (8 * i));
    return written;
}

uint8_t ByteAt(const std::vector<ImagePart>& parts, uint32_t offset)
{
    for (const ImagePart& part : parts)
        if (offset >= part.offset && offset - part.offset < part.bytes.size())
            return part.bytes[offset - part.offset];
    return 0;
}
} // namespace

Review ReviewEdit(const Table& table, const Edit& edit, const std::vector<ImagePart>& saved, ImageForm form)
{
    Review review;
    if (edit.TableId() != table.Id())
        return review;
    review.refusals = CheckEdit(table, edit);
    Table after = table;
    after.SetBaseline(); // the entries say what the edit changes, not what changed since Open
    std::set<int> rows;
    for (const Edit::Cell& c : edit.Cells())
        if (after.IsValueColumn(c.column) && c.row >= 0 && c.row < after.Rows()) {
            after.SetCell(c.row, c.column, c.text);
            rows.insert(c.row);
        }
    for (const Edit::Code& c : edit.Codes()) {
        const CodeArray* a = after.FindCodes(c.array);
        if (a && c.row >= 0 && c.row < after.Rows() && c.k >= 0 && c.k < a->perRow) {
            after.SetCode(c.array, c.row, c.k, c.value);
            rows.insert(c.row);
        }
    }
    for (const int row : rows)
        AddRow(after, row, review.entries);
    if (!review.refusals.empty())
        return review;
    const std::map<uint32_t, uint8_t> then = Written(table, rows, form), now = Written(after, rows, form);
    std::set<uint32_t> offsets;
    for (const auto& [offset, byte] : then)
        offsets.insert(offset);
    for (const auto& [offset, byte] : now)
        offsets.insert(offset);
    for (const uint32_t offset : offsets) {
        const auto b = then.find(offset), a = now.find(offset);
        const uint8_t before = b != then.end() ? b->second : ByteAt(saved, offset);
        const uint8_t afterByte = a != now.end() ? a->second : ByteAt(saved, offset);
        if (before != afterByte)
            review.bytes.push_back({offset, before, afterByte});
    }
    return review;
}

Review MakeReview(const Model& model, const Bytes& image, ImageForm form, bool fixChecksum)
{
    Review review;
    review.entries = ChangedFields(model);
    SavePlan plan = PlanSave(model, form);
    if (!plan.Ok()) {
        review.refusals = std::move(plan.errors);
        return review;
    }
    if (fixChecksum) {
        Bytes after = image;
        ApplyPatches(plan.patches, after);
        ChecksumFix fix = FixChecksum(after, form);
        if (fix.error) {
            review.error = std::move(fix.error);
            return review;
        }
        review.checksum = Fill(Patches::tr("修正校验和：内部文件头 %1 的校验和为 %2，补码为 %3。"),
                               Hex(static_cast<int>(fix.headerOffset), 6), Hex(fix.checksum, 4),
                               Hex(fix.checksum ^ 0xFFFF, 4));
        plan.patches.insert(plan.patches.end(), fix.patches.begin(), fix.patches.end());
    }
    // Later patches of a byte win, as when they are applied in order.
    std::map<uint32_t, uint8_t> written;
    for (const Patch& p : plan.patches)
        for (int i = 0; i < p.width; ++i)
            written[p.offset + static_cast<uint32_t>(i)] = static_cast<uint8_t>(p.value >> (8 * i));
    for (const auto& [offset, after] : written)
        if (offset < image.size() && image[offset] != after)
            review.bytes.push_back({offset, image[offset], after});
    return review;
}

std::vector<std::string> Review::SaveLines() const
{
    std::vector<std::string> lines;
    if (error)
        return {Describe(*error)};
    if (!refusals.empty()) {
        lines.push_back(Fill(Tables::tr("保存会被拒绝：有 %n 个单元格的值无效，文件不会有任何改动。", nullptr,
                                        static_cast<int>(refusals.size()))));
        for (const Error& e : refusals)
            lines.push_back("  " + Describe(e));
        return lines;
    }
    if (!checksum.empty())
        lines.push_back(checksum);
    if (bytes.empty())
        lines.push_back(Fill(Tables::tr("保存不会改动任何字节。")));
    else
        lines.push_back(Fill(Tables::tr("保存将改动 %n 个字节：", nullptr, static_cast<int>(bytes.size()))));
    for (const ByteChange& b : bytes)
        lines.push_back("  " + Hex(static_cast<int>(b.offset), 6) + ": " + Hex(b.before, 2) + " -> " +
                        Hex(b.after, 2));
    return lines;
}

std::string Review::Format() const
{
    std::ostringstream s;
    if (error)
        s << Describe(*error) << "\n";
    if (entries.empty())
        s << Fill(Tables::tr("没有修改。")) << "\n";
    else
        s << Fill(Tables::tr("修改 %1 处："), entries.size()) << "\n";
    for (const ReviewEntry& e : entries)
        s << "  " << e.Describe() << "\n";
    if (!error)
        for (const std::string& line : SaveLines())
            s << line << "\n";
    return s.str();
}

} // namespace dravik::rom
