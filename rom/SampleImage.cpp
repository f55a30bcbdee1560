#include "rom/SampleImage.h"

#include <algorithm>
#include <random>

#include "rom/Codecs.h"
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

int SlotCode(Random& r, int count, bool rental)
{
    if (r.Chance(20))
        return 0xFF;
    const int code = static_cast<int>(r.Between(0, count - 1));
    return rental ? code | 0x80 : code;
}

int LootCode(Random& r, int category)
{
    if (r.Chance(25))
        return 0xFF;
    if (category < 8)
        return r.Chance(50) ? static_cast<int>(r.Between(0, 119)) : static_cast<int>(r.Between(0x80, 0xFE));
    return r.Chance(50) ? static_cast<int>(r.Between(0, 120)) : static_cast<int>(r.Between(0x80, 0x9F));
}

void FillCodes(Random& r, Table& t, int row)
{
    const std::string& id = t.Id();
    if (id == "tanks") {
        for (int k = 0; k < 8; ++k)
            t.SetCode("parts", row, k, SlotCode(r, 121, row >= 8));
        for (int k = 0; k < 4; ++k)
            t.SetCode("items", row, k, SlotCode(r, 32, row >= 8));
    } else if (id == "human_weapons") {
        t.SetCode("range", row, 0, WeaponRangeLowBits(row) + 64 * static_cast<int>(r.Between(0, 2)));
        t.SetCode("users", row, 0, static_cast<int>(r.Between(1, 7)));
    } else if (t.FindCodes("users")) {
        t.SetCode("users", row, 0, static_cast<int>(r.Between(1, 7)));
    } else if (id == "characters") {
        for (int k = 0; k < 3; ++k)
            t.SetCode("items", row, k, r.Chance(20) ? 0xFF : static_cast<int>(r.Between(0, 127)));
        for (int k = 0; k < 7; ++k)
            t.SetCode("equipment", row, k, r.Chance(20) ? 0xFF : static_cast<int>(r.Between(0x80, 0xF7)));
    } else if (id == "monsters") {
        const int attacks = row <= 46 ? 144 : 174;
        for (int k = 0; k < 6; ++k)
            t.SetCode("attacks", row, k, static_cast<int>(r.Between(0, attacks - 1)));
        const int early = static_cast<int>(r.Between(0, 15)), late = static_cast<int>(r.Between(0, 15));
        t.SetCode("early_category", row, 0, early);
        t.SetCode("late_category", row, 0, late);
        t.SetCode("early_loot", row, 0, LootCode(r, early));
        t.SetCode("late_loot", row, 0, LootCode(r, late));
        t.SetCode("loot_gate", row, 0, 0); // a monster with loot gets its gate raised to 0x40
    }
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
            if (t.Id() == "monsters") {
                for (int column : {2, 3, 4})
                    t.SetCell(row, column, FormatWhole(static_cast<int32_t>(r.Between(0, 4095))));
                t.SetCell(row, 8, FormatWhole(static_cast<int32_t>(r.Between(0, 255))));
            }
            FillCodes(r, t, row);
            t.RefreshLabels(row);
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
    if (!header)
        image.erase(image.begin(), image.begin() + kCopierHeaderSize);
    return image;
}

} // namespace dravik::rom
