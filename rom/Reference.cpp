#include "rom/Reference.h"

#include <algorithm>

#include "rom/CodeColumns.h"
#include "rom/Formula.h"
#include "rom/InternalHeader.h"
#include "rom/RomDocument.h"
#include "rom/Texts.h"

namespace dravik::rom {

std::optional<Error> LoadReference(const std::string& path, ReferenceImage& reference)
{
    ImageFile file;
    if (std::optional<Error> failed = ReadImage(path, ReadExtent::Tables, file))
        return Error::Failure(Fill(Recovery::tr("不能用作参照映像：%1"), Describe(*failed)), path,
                              failed->systemError);
    if (!IsPlausibleImage(file.parts, file.form))
        return Error::Failure(
            Fill(Recovery::tr(
                     "不能用作参照映像：%1 的内部文件头（0x7FC0 与 0xFFC0 处）没有相加为 0xFFFF 的校验和与"
                     "补码，它不像这个游戏的映像。"),
                 path),
            path);
    reference.path = path;
    reference.form = file.form;
    reference.notice = file.notice;
    LoadTables(file.parts, reference.model, file.form);
    return std::nullopt;
}

std::vector<ReferenceCell> CellsDifferingFrom(const Table& table, const Table& reference)
{
    std::vector<ReferenceCell> out;
    const TableLayout& layout = table.Layout();
    const std::vector<EntryColumns> entries = MapCodeEntries(layout);
    const std::vector<CodeArray>& codes = table.CodeArrays();
    const std::vector<CodeArray>& referenceCodes = reference.CodeArrays();
    std::vector<bool> differs(static_cast<size_t>(table.Columns()));
    for (int row = 0; row < table.Rows(); ++row) {
        std::fill(differs.begin(), differs.end(), false);
        bool codeDiffers = false;
        for (size_t a = 0; a < codes.size(); ++a)
            for (int k = 0; k < codes[a].perRow; ++k)
                codeDiffers = codeDiffers || codes[a].At(row, k) != referenceCodes[a].At(row, k);
        for (const EntryColumns& e : entries) {
            const auto array = static_cast<size_t>(e.array);
            if (codes[array].At(row, e.k) != referenceCodes[array].At(row, e.k))
                for (int c : e.columns)
                    differs[static_cast<size_t>(c)] = true;
        }
        // A value cell differs by its number, as Save reads it ("007" is the reference's "7"; a
        // text that is no number always differs). A cell that shows codes can only read
        // differently when a code of its row differs.
        for (int c = 1; c < table.Columns(); ++c) {
            if (differs[static_cast<size_t>(c)])
                continue;
            if (table.IsValueColumn(c)) {
                const Codec codec = ValueCodec(layout, c);
                const std::optional<int64_t> mine = CellUnits(table.Cell(row, c), codec);
                differs[static_cast<size_t>(c)] = !mine || mine != CellUnits(reference.Cell(row, c), codec);
            } else if (codeDiffers && table.Cell(row, c) != reference.Cell(row, c)) {
                differs[static_cast<size_t>(c)] = true;
            }
        }
        for (int c = 1; c < table.Columns(); ++c)
            if (differs[static_cast<size_t>(c)])
                out.push_back(ReferenceCell{table.Id(), row, c, reference.Cell(row, c)});
    }
    return out;
}

std::vector<ReferenceCell> CellsDifferingFrom(const Model& model, const Model& reference)
{
    std::vector<ReferenceCell> out;
    for (const Table& t : model.Tables()) {
        std::vector<ReferenceCell> cells = CellsDifferingFrom(t, reference.Get(t.Id()));
        out.insert(out.end(), std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()));
    }
    return out;
}

Edit RestoreFromReference(const Table& reference, const std::vector<int>& rows)
{
    Edit edit(reference.Id());
    const std::vector<int> values = reference.Layout().ValueColumns();
    for (int row : rows) {
        if (row < 0 || row >= reference.Rows())
            continue;
        for (int c : values)
            edit.SetCell(row, c, reference.Cell(row, c));
        for (size_t a = 0; a < reference.CodeArrays().size(); ++a) {
            if (reference.Layout().codeArrays[a].readOnly)
                continue;
            const CodeArray& codes = reference.CodeArrays()[a];
            for (int k = 0; k < codes.perRow; ++k)
                edit.SetCode(codes.name, row, k, codes.At(row, k));
        }
    }
    return edit;
}

} // namespace dravik::rom
