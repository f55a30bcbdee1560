#include "rom/SampleImage.h"

#include <algorithm>
#include <random>

#include "rom/Codecs.h"
#include "rom/InternalHeader.h"
#include "rom/RowFlags.h"

namespace dravik::rom {

namespace {
class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    // Inclusive; plain modulo keeps the sequence the same on every standard library.
    int64_t Between(int64_t lo, int64_t hi)
    {
        return lo + static_cast<int64_t>(engine_() % uint64_t(hi - lo + 1));
    }
    bool Chance(int percent) { return Between(0, 99) < percent; }
    uint8_t Byte() { return static_cast<uint8_t>(engine_()); }

private:
    std::mt19937 engine_;
};

// A code with a name in the lists that a chosen naming (loot) picks with this chooser code:
// half from the block below kLootSecondList, half from the block above (0xFF, none, excluded).
int ChosenCode(Random& r, const CodeNaming& n, int chooserCode)
{
    const int first = names::Size(n.entryOf(chooserCode, 0).list);
    const int second = std::min(names::Size(n.entryOf(chooserCode, names::kLootSecondList).list), 0x7F);
    return r.Chance(50)
               ? static_cast<int>(r.Between(0, first - 1))
               : static_cast<int>(r.Between(names::kLootSecondList, names::kLootSecondList + second - 1));
}

// Every code array as its naming declares it: a code with a name, now and then the empty code
// (more often for loot, which most monsters do not drop); arrays not shown by name stay 0.
void FillCodes(Random& r, Table& t, int row)
{
    const TableLayout& layout = t.Layout();
    for (size_t a = 0; a < layout.codeArrays.size(); ++a) {
        const CodeNaming& n = layout.codeArrays[a].naming;
        CodeArray& codes = t.CodeArrays()[a];
        for (int k = 0; k < codes.perRow && n.named; ++k) {
            if (n.emptyCode >= 0 && r.Chance(n.Chosen() ? 25 : 20)) {
                codes.At(row, k) = n.emptyCode;
            } else if (n.Chosen()) {
                codes.At(row, k) = ChosenCode(r, n, t.Code(n.chooser, row));
            } else {
                const int entry = static_cast<int>(r.Between(0, names::Size(n.ListFor(row)) - 1));
                codes.At(row, k) = n.CodeOf(row, entry);
            }
        }
    }
}
// A header of a 2 MiB cartridge mapped in 32 KiB banks, with the checksum of the whole image.
void WriteInternalHeader(Bytes& image)
{
    const ImageForm form{true};
    const uint32_t at = kCopierHeaderSize + kHeaderLocations[0];
    const std::string title = "DRAVIK SAMPLE";
    for (uint32_t i = 0; i < 21; ++i)
        image[at + i] = i < title.size() ? static_cast<uint8_t>(title[i]) : ' ';
    // Map mode to version, then a placeholder pair that adds up, for the fix to find this header.
    const uint8_t rest[] = {0x20, 0x02, 0x0B, 0x03, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00};
    for (uint32_t i = 0; i < sizeof rest; ++i)
        image[at + kMapModeAt + i] = rest[i];
    ApplyPatches(FixChecksum(image, form).patches, image);
}
} // namespace

void FillRandomModel(Model& model, uint32_t seed)
{
    Random r(seed);
    for (Table& t : model.Tables()) {
        const TableLayout& layout = t.Layout();
        for (int row = 0; row < t.Rows(); ++row) {
            for (const Field& f : layout.fields) {
                if (f.codec == Codec::Code || f.saveOnly)
                    continue;
                // Plausible sizes: a two-byte price rather than anything up to 65535.
                const ValueRange range = ShownRange(f, row);
                const int64_t typical = f.width == 1 ? 255 : f.width == 2 ? 9999 : 99999;
                const auto value =
                    static_cast<int32_t>(r.Between(range.min, std::min(range.max, range.min + typical)));
                t.SetCell(row, f.column,
                          f.codec == Codec::Hundredths ? FormatHundredths(value) : FormatWhole(value));
            }
            if (t.Id() == "monsters") { // the packed words the hooks write: 12 bits each, the armour a byte
                for (const char* key : {"attack", "defence", "hp"})
                    t.SetCell(row, layout.Column(key), FormatWhole(static_cast<int32_t>(r.Between(0, 4095))));
                t.SetCell(row, layout.Column("armour"), FormatWhole(static_cast<int32_t>(r.Between(0, 255))));
            }
            FillCodes(r, t, row);
        }
    }
}

Bytes MakeSampleImage(uint32_t seed, bool header)
{
    Random r(seed ^ 0x5A17u);
    Bytes image(kSampleImageSize);
    for (uint8_t& b : image)
        b = r.Byte();
    Model model;
    FillRandomModel(model, seed);
    ApplyPatches(PlanSave(model).patches, image);
    WriteInternalHeader(image);
    if (!header)
        image.erase(image.begin(), image.begin() + kCopierHeaderSize);
    return image;
}

} // namespace dravik::rom
