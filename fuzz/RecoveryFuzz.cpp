// Any bytes as a recovery record: never a crash; a refusal says why and leaves the record it was
// given as it was; an accepted record holds only what an import may change (value cells inside
// the table, codes of arrays the save writes), in its values from before as in its changes, and
// comes back the same from its own serialisation.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rom/Layout.h"
#include "rom/Recovery.h"

using namespace dravik;

namespace {
void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

const rom::TableLayout* FindLayout(const std::string& id)
{
    for (const rom::TableLayout& layout : rom::AllLayouts())
        if (id == layout.id)
            return &layout;
    return nullptr;
}

bool Same(const std::vector<rom::Edit>& a, const std::vector<rom::Edit>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const rom::Edit &x = a[i], &y = b[i];
        if (x.TableId() != y.TableId() || x.Cells().size() != y.Cells().size() ||
            x.Codes().size() != y.Codes().size())
            return false;
        for (size_t j = 0; j < x.Cells().size(); ++j)
            if (x.Cells()[j].row != y.Cells()[j].row || x.Cells()[j].column != y.Cells()[j].column ||
                x.Cells()[j].text != y.Cells()[j].text)
                return false;
        for (size_t j = 0; j < x.Codes().size(); ++j)
            if (x.Codes()[j].array != y.Codes()[j].array || x.Codes()[j].row != y.Codes()[j].row ||
                x.Codes()[j].k != y.Codes()[j].k || x.Codes()[j].value != y.Codes()[j].value)
                return false;
    }
    return true;
}

bool Same(const rom::RecoveryRecord& a, const rom::RecoveryRecord& b)
{
    return a.imagePath == b.imagePath && a.imageHash == b.imageHash && Same(a.edits, b.edits) &&
           Same(a.before, b.before);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const rom::RecoveryRecord untouched{"/untouched.smc", "00", {rom::Edit("items").SetCell(0, 1, "1")}};
    rom::RecoveryRecord record = untouched;
    if (const std::optional<rom::Error> refused = rom::ParseRecord(text, record)) {
        Check(!rom::Describe(*refused).empty(), "a refusal has a reason");
        Check(Same(record, untouched), "a refusal leaves the record as it was");
        return 0;
    }
    Check(record.before.empty() || record.before.size() == record.edits.size(),
          "the values from before are there for every table or for none");
    std::vector<rom::Edit> all = record.edits;
    all.insert(all.end(), record.before.begin(), record.before.end());
    for (const rom::Edit& edit : all) {
        const rom::TableLayout* layout = FindLayout(edit.TableId());
        Check(layout != nullptr, "every table exists");
        const std::vector<int> values = layout->ValueColumns();
        for (const rom::Edit::Cell& c : edit.Cells()) {
            Check(c.row >= 0 && c.row < layout->Rows(), "a cell's row is in the table");
            bool value = false;
            for (int column : values)
                value = value || column == c.column;
            Check(value, "a cell is a value cell");
        }
        for (const rom::Edit::Code& c : edit.Codes()) {
            const rom::CodeArraySpec* array = layout->FindCodeArray(c.array);
            Check(array && !array->readOnly, "a code is one the save writes");
            Check(c.row >= 0 && c.row < layout->Rows() && c.k >= 0 && c.k < array->perRow,
                  "a code's entry is in the table");
        }
    }
    rom::RecoveryRecord again;
    Check(!rom::ParseRecord(rom::SerializeRecord(record), again), "a record's own text is accepted");
    Check(Same(record, again), "a record comes back the same from its own text");
    return 0;
}
