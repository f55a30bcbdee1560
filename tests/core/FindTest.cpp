// Find by text and where-used, on a hand-made image whose references are known; a reference image
// marks the cells `dravik diff` names, and rows restored from it get its bytes back.
#include "rom/Find.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "rom/CodeColumns.h"
#include "rom/ImageDiff.h"
#include "rom/Passes.h"
#include "rom/Reference.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
std::vector<std::string> Places(const std::vector<Reference>& refs)
{
    std::vector<std::string> out;
    for (const Reference& r : refs)
        out.push_back(r.tableId + " " + std::to_string(r.row) + " " + std::to_string(r.column) + " " +
                      r.where);
    return out;
}
} // namespace

TEST(WhereUsed, KnownReferencesAndNothingElse)
{
    Model model = test::Loaded(test::KnownReferencesImage());
    using V = std::vector<std::string>;
    const std::tuple<const char*, int, V> cases[] = {
        {"main_cannons", 5, V{"tanks 2 8 装备3", "tanks 9 6 装备1"}},
        {"tank_items", 4, V{"tanks 0 15 道具2", "monsters 60 18 战利品(>3回合) 战车类2"}},
        {"items", 7,
         V{"characters 1 11 道具1", "monsters 3 17 战利品(<3回合) 人物类3",
           "monsters 50 18 战利品(>3回合) 人物类1", "monsters 151 17 战利品(<3回合) 人物类8"}},
        {"head_armour", 2, V{"characters 2 17 装备4", "monsters 10 17 战利品(<3回合) 人物类2"}},
        {"attacks_b", 0x10, V{"monsters 5 12 攻击方式2", "monsters 5 15 攻击方式5"}},
        {"attacks_a", 0x10, V{"monsters 100 16 攻击方式6"}},
        {"main_cannons", 6, V{}},
        {"engines", 0, V{}}, // engine 0 is tank part 94: nothing refers to it
        {"items", 127, V{}}, // its loot code would be 0xFF, which is no drop at all
        {"items", 128, V{}}, // past the end
        {"tanks", 0, V{}},   // not a referable table
    };
    for (const auto& [table, row, places] : cases)
        EXPECT_EQ(Places(WhereUsed(model, table, row)), places) << table << " " << row;
    EXPECT_EQ(WhereUsed(model, "tank_items", 4)[0].text, "No1.蚊式坦克");
}

TEST(FindText, AsciiCaselessSubstringOverEveryTable)
{
    EXPECT_TRUE(ContainsCaseless("No1.蚊式坦克", "no1."));
    EXPECT_TRUE(ContainsCaseless("HAL900r''", "hal9"));
    EXPECT_FALSE(ContainsCaseless("ＡＢ", "ａｂ")); // only ASCII letters fold
    EXPECT_FALSE(ContainsCaseless("ab", "abc"));

    Model empty; // without a file only the names are there to find
    const std::vector<FindMatch> labels = FindText(empty, "出租车1");
    ASSERT_EQ(labels.size(), 6u); // 出租车1号, 出租车10号 ... 出租车14号
    EXPECT_EQ(empty.Tables()[labels[0].table].Id(), "tanks");
    EXPECT_EQ(labels[0].row, 8);
    EXPECT_EQ(labels[0].column, 0);
    EXPECT_TRUE(FindText(empty, "").empty());

    Model model = test::Loaded(test::KnownReferencesImage());
    const std::vector<FindMatch> cells = FindText(model, "55MM炮");
    std::vector<std::string> where;
    for (const FindMatch& m : cells)
        where.push_back(model.Tables()[m.table].Id() + " " + std::to_string(m.row) + " " +
                        std::to_string(m.column));
    EXPECT_EQ(where, (std::vector<std::string>{"main_cannons 5 0", "tanks 2 8", "tanks 9 6"}));
    EXPECT_EQ(FindText(model, "炮", 3).size(), 3u);
}

namespace {
using CellKey = std::tuple<std::string, int, int, std::string>; // table, row, column, reference text

// The cells a diff's fields name: a column by its title, a code entry by the cells that show it.
std::set<CellKey> CellsOfDiff(const rom::ImageDiff& diff, const rom::Model& reference)
{
    std::set<CellKey> out;
    for (const rom::FieldChange& f : diff.fields) {
        if (f.storedOnly)
            continue;
        const rom::Table& t = reference.Get(f.tableId);
        for (int c = 1; c < t.Columns(); ++c)
            if (t.ColumnTitle(c) == f.column)
                out.insert({f.tableId, f.row, c, t.Cell(f.row, c)});
        for (const rom::EntryColumns& e : rom::MapCodeEntries(t.Layout()))
            if (rom::EntryKey(t.CodeArrays()[static_cast<size_t>(e.array)].name, e.k,
                              t.CodeArrays()[static_cast<size_t>(e.array)].perRow) == f.column)
                for (int c : e.columns)
                    out.insert({f.tableId, f.row, c, t.Cell(f.row, c)});
    }
    return out;
}
} // namespace

TEST(Reference, MarksAreTheDiffsCellsAndRestoringGivesTheReferenceBytesBack)
{
    const rom::Bytes original = rom::MakeSampleImage(11);
    test::OpenImage mod(original);
    rom::RomDocument& doc = mod.doc;
    // Rows of another sample, copied into some rows of every table.
    rom::Model other = test::Loaded(rom::MakeSampleImage(12));
    for (const rom::Table& t : other.Tables())
        doc.Apply(rom::RestoreFromReference(t, {0, 2, t.Rows() - 1}));
    ASSERT_TRUE(doc.Save().ok());

    rom::ReferenceImage reference;
    test::TempImage referenceFile(original, "original.smc");
    ASSERT_EQ(rom::Describe(rom::LoadReference(referenceFile.Path(), reference)), "");
    std::set<CellKey> marked;
    for (const rom::ReferenceCell& c : rom::CellsDifferingFrom(doc.GetModel(), reference.model))
        EXPECT_TRUE(marked.insert({c.tableId, c.row, c.column, c.referenceText}).second) << c.tableId;
    const rom::ImageDiff diff = rom::DiffImages(original, mod.file.Read());
    EXPECT_GT(marked.size(), 100u);
    EXPECT_EQ(marked, CellsOfDiff(diff, reference.model));

    // Every table's changed rows back, one operation each (an undo step in the window).
    for (const rom::Table& t : reference.model.Tables())
        doc.Apply(rom::RestoreFromReference(t, {0, 1, 2, t.Rows() - 1}));
    doc.Apply(
        rom::Edit("items").SetCell(1, 1, " ０" + reference.model.Get("items").Cell(1, 1))); // the same number
    EXPECT_TRUE(rom::CellsDifferingFrom(doc.GetModel(), reference.model).empty());
    ASSERT_TRUE(doc.Save().ok());
    EXPECT_EQ(mod.file.Read(), original);
}

TEST(Reference, RefusedWithTheReasonWhenNotAnImageOfTheGame)
{
    rom::Bytes noHeader = test::RandomImage(9);
    const std::tuple<rom::Bytes, const char*> cases[] = {
        {rom::Bytes(0x8000, 0), "至少需要"},
        {noHeader, "不像这个游戏的映像"},
    };
    for (const auto& [bytes, reason] : cases) {
        test::TempImage file(bytes);
        rom::ReferenceImage reference;
        const std::string error = rom::Describe(rom::LoadReference(file.Path(), reference));
        EXPECT_TRUE(test::Mentions(error, reason) && test::Mentions(error, "参照映像")) << error;
    }
}
