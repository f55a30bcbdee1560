// Any bytes as the fields of one table of an image, then edits of its cells and codes. Checks:
// the unedited table plans no errors, a refused plan blames only edited cells, every patch lands
// inside a field, accepted values reload unchanged, and a second save changes nothing.
//
// Input: [table] [flags] [start lo] [start hi] [image byte count] image bytes... edits...
// where an edit is [row] [column or code] [kind] then a text or a code value.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CellTexts.h"
#include "core/FieldMap.h"
#include "rom/Codecs.h"
#include "rom/HalfWidth.h"
#include "rom/Passes.h"
#include "rom/Table.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

struct Setup {
    Model pristine;
    std::vector<std::vector<uint32_t>> tableBytes[2]; // per form (0 header, 1 none), per table
    std::vector<bool> fieldBytes[2];                  // by offset: a byte some field may write
    Bytes base[2];
    ImageForm forms[2];

    Setup()
    {
        forms[0] = ImageForm{true};
        forms[1] = ImageForm{false};
        for (int f = 0; f < 2; ++f) {
            base[f] = test::RandomImage(1, forms[f].MinimumSize());
            const uint32_t shift = forms[f].header ? 0 : 0x200;
            fieldBytes[f].assign(base[f].size(), false);
            for (uint32_t at : test::FieldBytes())
                fieldBytes[f][at - shift] = true;
            const LoadContext ctx(base[f], forms[f]);
            for (Table& t : pristine.Tables()) {
                for (int row = 0; row < t.Rows(); ++row)
                    LoadRow(ctx, t, row);
                SaveContext save(forms[f]);
                for (int row = 0; row < t.Rows(); ++row)
                    SaveRow(save, t, row);
                std::set<uint32_t> bytes;
                for (const Patch& p : save.patches)
                    for (int i = 0; i < p.width; ++i)
                        bytes.insert(p.offset + i);
                tableBytes[f].emplace_back(bytes.begin(), bytes.end());
            }
        }
    }
};

struct Reader {
    const uint8_t* data;
    size_t size, at = 0;
    bool More() const { return at < size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
};

void Load(const Bytes& image, ImageForm form, Table& t)
{
    const LoadContext ctx(image, form);
    for (int row = 0; row < t.Rows(); ++row)
        LoadRow(ctx, t, row);
    t.SetBaseline();
}

SaveContext Plan(const Table& t, ImageForm form)
{
    SaveContext ctx(form);
    for (int row = 0; row < t.Rows(); ++row)
        SaveRow(ctx, t, row);
    return ctx;
}

std::optional<int64_t> Value(const Table& t, int column, const std::string& text)
{
    for (const Field& f : t.Layout().fields)
        if (f.column == column && f.codec == Codec::Hundredths)
            return ParseHundredths(ToHalfWidth(text));
    return ParseWhole(ToHalfWidth(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Setup setup;
    Reader in{data, size};
    const size_t index = in.Byte() % setup.pristine.Tables().size();
    const int f = in.Byte() & 1;
    const ImageForm form = setup.forms[f];
    const std::vector<uint32_t>& bytes = setup.tableBytes[f][index];
    const size_t start = in.Byte() | (in.Byte() << 8);
    const size_t count = in.Byte();

    // One image per form, changed in place and restored on the way out: copying the image in
    // every run would cost more than the passes themselves.
    static Bytes images[2] = {setup.base[0], setup.base[1]};
    Bytes& image = images[f];
    struct Restore {
        Bytes& image;
        std::vector<std::pair<uint32_t, uint8_t>> old;
        void Set(uint32_t at, uint8_t value)
        {
            old.emplace_back(at, image[at]);
            image[at] = value;
        }
        ~Restore()
        {
            for (auto it = old.rbegin(); it != old.rend(); ++it)
                image[it->first] = it->second;
        }
    } restore{image, {}};
    for (size_t i = 0; i < count && in.More() && !bytes.empty(); ++i)
        restore.Set(bytes[(start + i) % bytes.size()], in.Byte());

    Table table = setup.pristine.Tables()[index];
    Load(image, form, table);
    Check(Plan(table, form).errors.empty(), "an unedited table plans no errors");

    std::set<std::pair<int, int>> editedCells;
    std::set<std::pair<int, std::string>> editedCodes;
    while (in.More()) {
        const int row = in.Byte() % table.Rows();
        const uint8_t which = in.Byte();
        const uint8_t kind = in.Byte();
        // Codes nobody may edit (the loot gate) are not edits: import refuses them.
        std::vector<CodeArray*> editable;
        for (CodeArray& a : table.CodeArrays())
            for (const CodeArraySpec& arrayDecl : table.Layout().codeArrays)
                if (a.name == arrayDecl.name && !arrayDecl.readOnly)
                    editable.push_back(&a);
        if ((which & 0x80) && !editable.empty()) {
            CodeArray& a = *editable[which % editable.size()];
            const int k = kind % a.perRow;
            const int value = static_cast<int16_t>(in.Byte() | (in.Byte() << 8));
            table.SetCode(a.name, row, k, value);
            if (std::getenv("FUZZ_DEBUG"))
                std::fprintf(stderr, "code %s row %d k %d = %d\n", a.name.c_str(), row, k, value);
            editedCodes.insert({row, a.name});
            continue;
        }
        const int column = which % table.Columns();
        std::string text;
        const std::vector<std::string>& texts = test::CellTexts();
        if (kind < texts.size() * 4) {
            text = texts[kind % texts.size()];
        } else {
            for (int n = kind % 12; n > 0 && in.More(); --n)
                text.push_back(static_cast<char>(in.Byte()));
        }
        table.SetCell(row, column, text);
        if (std::getenv("FUZZ_DEBUG"))
            std::fprintf(stderr, "edit row %d column %d \"%s\"\n", row, column, text.c_str());
        editedCells.insert({row, column});
    }

    SaveContext plan = Plan(table, form);
    if (!plan.errors.empty()) {
        for (const Error& e : plan.errors) {
            const int row = e.row - 1;
            bool edited = false;
            for (const auto& [r, c] : editedCells)
                edited |= r == row && c == e.columnIndex;
            for (const auto& [r, name] : editedCodes)
                edited |= r == row && e.columnIndex < 0;
            if (!edited)
                std::fprintf(stderr, "%s (row %d, column %d)\n", Describe(e).c_str(), row, e.columnIndex);
            Check(edited, "a refusal names an edited cell or code");
        }
        return 0;
    }
    for (const Patch& p : plan.patches)
        for (int i = 0; i < p.width; ++i) {
            Check(p.offset + i < image.size() && setup.fieldBytes[f][p.offset + i],
                  "every patch lands inside a field");
            restore.Set(p.offset + i, static_cast<uint8_t>(p.value >> (8 * i)));
        }

    Table reloaded = setup.pristine.Tables()[index];
    Load(image, form, reloaded);
    for (const auto& cell : editedCells) {
        const int row = cell.first, column = cell.second;
        const TableLayout& layout = table.Layout();
        const bool valueColumn =
            std::any_of(layout.fields.begin(), layout.fields.end(),
                        [&](const Field& fd) { return fd.column == column && fd.codec != Codec::Code; });
        if (!valueColumn || table.Cell(row, column) == table.BaselineCell(row, column))
            continue;
        const auto want = Value(table, column, table.Cell(row, column));
        const auto got = Value(reloaded, column, reloaded.Cell(row, column));
        Check(want && got && *want == *got, "an accepted value reloads unchanged");
    }

    for (const Patch& p : Plan(reloaded, form).patches)
        for (int i = 0; i < p.width; ++i) {
            if (image[p.offset + i] != static_cast<uint8_t>(p.value >> (8 * i)))
                std::fprintf(stderr, "second save writes %x at 0x%x over %x\n",
                             static_cast<uint8_t>(p.value >> (8 * i)), p.offset + i, image[p.offset + i]);
            Check(image[p.offset + i] == static_cast<uint8_t>(p.value >> (8 * i)),
                  "a second save changes nothing");
        }
    return 0;
}
