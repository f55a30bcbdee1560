// A reference image: the cells that differ from it are the cells `dravik diff` names, and rows
// restored from it get its bytes back.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "rom/CodeColumns.h"
#include "rom/ImageDiff.h"
#include "rom/Reference.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;

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
    test::TempImage mod(original);
    rom::Model other; // rows of another sample, copied into some rows of every table
    rom::LoadTables(rom::MakeSampleImage(12), other);
    rom::RomDocument doc;
    ASSERT_TRUE(doc.Open(mod.Path()).ok);
    for (const rom::Table& t : other.Tables())
        doc.Apply(rom::RestoreFromReference(t, {0, 2, t.Rows() - 1}));
    ASSERT_TRUE(doc.Save().ok);

    rom::ReferenceImage reference;
    std::string error;
    test::TempImage referenceFile(original, "original.smc");
    ASSERT_TRUE(test::Succeeded(rom::LoadReference(referenceFile.Path(), reference), error)) << error;
    std::set<CellKey> marked;
    for (const rom::ReferenceCell& c : rom::CellsDifferingFrom(doc.GetModel(), reference.model))
        EXPECT_TRUE(marked.insert({c.tableId, c.row, c.column, c.referenceText}).second) << c.tableId;
    const rom::ImageDiff diff = rom::DiffImages(original, mod.Read());
    EXPECT_GT(marked.size(), 100u);
    EXPECT_EQ(marked, CellsOfDiff(diff, reference.model));

    // Every table's changed rows back, one operation each (an undo step in the window).
    for (const rom::Table& t : reference.model.Tables())
        doc.Apply(rom::RestoreFromReference(t, {0, 1, 2, t.Rows() - 1}));
    EXPECT_TRUE(rom::CellsDifferingFrom(doc.GetModel(), reference.model).empty());
    ASSERT_TRUE(doc.Save().ok);
    EXPECT_EQ(mod.Read(), original);
}

TEST(Reference, RefusedWithTheReasonWhenNotAnImageOfTheGame)
{
    rom::Bytes noHeader = test::RandomImage(9);
    struct Case {
        rom::Bytes bytes;
        const char* reason;
    } cases[] = {
        {rom::Bytes(0x8000, 0), "至少需要"},
        {noHeader, "不像这个游戏的映像"},
    };
    for (const Case& c : cases) {
        test::TempImage file(c.bytes);
        rom::ReferenceImage reference;
        std::string error;
        EXPECT_FALSE(test::Succeeded(rom::LoadReference(file.Path(), reference), error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_NE(error.find("参照映像"), std::string::npos) << error;
    }
}
