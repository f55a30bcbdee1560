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

int SlotCode(Random& r, int count, bool rental)
{
    if (r.Chance(20))
        return 0xFF;
    const int code = static_cast<int>(r.Between(0, count - 1));
    return rental ? code | 0x80 : code;
}

// A code with a name in the lists that name this loot category's codes (0xFF, none, excluded).
int LootCode(Random& r, int category)
{
    if (r.Chance(25))
        return 0xFF;
    const int first = names::Size(names::LootEntryOf(category, 0).list);
    const int second = std::min(names::Size(names::LootEntryOf(category, names::kLootSecondList).list), 0x7F);
    return r.Chance(50)
               ? static_cast<int>(r.Between(0, first - 1))
               : static_cast<int>(r.Between(names::kLootSecondList, names::kLootSecondList + second - 1));
}

const CodeNaming& NamingOf(const Table& t, const std::string& array)
{
    for (const CodeArraySpec& arrayDecl : t.Layout().codeArrays)
        if (array == arrayDecl.name)
            return arrayDecl.naming;
    static const CodeNaming none;
    return none;
}

// A code with a name: the first to the last code the array's list names in this row.
int NamedCode(Random& r, const Table& t, const std::string& array, int row)
{
    const CodeNaming& n = NamingOf(t, array);
    return static_cast<int>(r.Between(n.first, n.first + names::Size(n.ListFor(row)) - 1));
}

void FillCodes(Random& r, Table& t, int row)
{
    const std::string& id = t.Id();
    if (id == "tanks") {
        for (int k = 0; k < 8; ++k)
            t.SetCode("parts", row, k, SlotCode(r, names::Size(names::List::TankParts), IsRentalTank(row)));
        for (int k = 0; k < 4; ++k)
            t.SetCode("items", row, k, SlotCode(r, names::Size(names::List::TankItems), IsRentalTank(row)));
    } else if (id == "human_weapons") {
        t.SetCode("range", row, 0, WeaponRangeLowBits(row) + 64 * NamedCode(r, t, "range", row));
        t.SetCode("users", row, 0, NamedCode(r, t, "users", row));
    } else if (t.FindCodes("users")) {
        t.SetCode("users", row, 0, NamedCode(r, t, "users", row));
    } else if (id == "characters") {
        for (int k = 0; k < 3; ++k)
            t.SetCode("items", row, k, r.Chance(20) ? 0xFF : NamedCode(r, t, "items", row));
        for (int k = 0; k < 7; ++k)
            t.SetCode("equipment", row, k, r.Chance(20) ? 0xFF : NamedCode(r, t, "equipment", row));
    } else if (id == "monsters") {
        for (int k = 0; k < 6; ++k)
            t.SetCode("attacks", row, k, NamedCode(r, t, "attacks", row));
        const int early = NamedCode(r, t, "early_category", row),
                  late = NamedCode(r, t, "late_category", row);
        t.SetCode("early_category", row, 0, early);
        t.SetCode("late_category", row, 0, late);
        t.SetCode("early_loot", row, 0, LootCode(r, early));
        t.SetCode("late_loot", row, 0, LootCode(r, late));
        t.SetCode("loot_gate", row, 0, 0); // a monster with loot gets its gate raised to 0x40
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
