// The one edit path: every change goes through the document, which records old and new values,
// tells its listeners once, and can put a change back exactly; the review of unsaved changes.
#include <gtest/gtest.h>

#include <set>

#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
// A tank whose first part has a name, so that its rental twin (code | 0x80) shows the same name.
int NamedPartRow(const Table& tanks)
{
    for (int row = 0; row < tanks.Rows(); ++row)
        if (tanks.Code("parts", row, 0) < 0x79)
            return row;
    ADD_FAILURE() << "no tank with a named first part";
    return 0;
}

class ChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.Open(file.Path()).ok);
        doc.Subscribe([this](const Change& c) { told.push_back(c); });
    }
    Table& T(const char* id) { return doc.GetModel().Get(id); }

    test::TempImage file{MakeSampleImage(8)};
    RomDocument doc;
    std::vector<Change> told;
};
} // namespace

TEST_F(ChangeTest, ApplyRecordsWhatReallyChangedAndTellsOnce)
{
    const std::string price = T("main_cannons").Cell(0, 1);
    const int r = NamedPartRow(T("tanks"));
    const int part = T("tanks").Code("parts", r, 0);
    const std::string partName = T("tanks").Cell(r, 6);
    struct Case {
        const char* what;
        Edit edit;
        Change expected; // empty: nothing changes and nobody is told
    };
    const Case cases[] = {
        {"a cell, with a second one already holding its text",
         Edit("main_cannons").SetCell(0, 1, "100").SetCell(0, 2, T("main_cannons").Cell(0, 2)),
         {"main_cannons", {{0, 1, price, "100"}}, {}}},
        {"the same text again", Edit("main_cannons").SetCell(0, 1, "100"), {}},
        {"positions that do not exist, and the fixed label",
         Edit("main_cannons")
             .SetCell(0, 0, "x")
             .SetCell(99, 1, "x")
             .SetCell(0, 6, "x")
             .SetCode("parts", 0, 0, 1),
         {}},
        {"a table that does not exist", Edit("no_such_table").SetCell(0, 1, "1"), {}},
        // A rental tank's part shows the same name as the plain one: only the code tells them apart.
        {"a code whose name stays",
         Edit("tanks").SetCode("parts", r, 0, part ^ 0x80),
         {"tanks", {}, {{"parts", r, 0, part, part ^ 0x80}}}},
        {"a code and the name cell that shows it",
         Edit("tanks").SetCode("parts", r, 0, 0xFF),
         {"tanks", {{r, 6, partName, "-----"}}, {{"parts", r, 0, part ^ 0x80, 0xFF}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        told.clear();
        const Change change = doc.Apply(c.edit);
        if (c.expected.Empty()) {
            EXPECT_TRUE(change.Empty());
            EXPECT_TRUE(told.empty());
        } else {
            EXPECT_EQ(change, c.expected);
            ASSERT_EQ(told.size(), 1u);
            EXPECT_EQ(told[0], change);
        }
    }
    EXPECT_EQ(cases[0].expected.Rows(), std::vector<int>{0});
    EXPECT_EQ(cases[5].expected.Columns(), std::vector<int>{6});
}

TEST_F(ChangeTest, ReplayingTheReversedChangesRestoresEveryCellCodeAndNameExactly)
{
    const std::vector<std::string> before = test::State(doc.GetModel());
    std::vector<Change> done;
    done.push_back(doc.Apply(Edit("monsters")
                                 .SetCell(47, 2, "99")
                                 .SetCode("attacks", 47, 0, 0x10)
                                 .SetCode("early_category", 47, 0, 8)
                                 .SetCode("early_loot", 47, 0, 3)));
    done.push_back(doc.Apply(Edit("characters").SetCode("equipment", 0, 2, 0xFF).SetCell(0, 5, "")));
    done.push_back(doc.Apply(Edit("monsters").SetCell(47, 2, "100")));
    ASSERT_NE(test::State(doc.GetModel()), before);
    const std::vector<std::string> after = test::State(doc.GetModel());

    told.clear();
    for (auto it = done.rbegin(); it != done.rend(); ++it)
        doc.Replay(it->Reversed());
    EXPECT_EQ(test::State(doc.GetModel()), before);
    EXPECT_EQ(told.size(), done.size());
    for (const Change& c : done)
        doc.Replay(c);
    EXPECT_EQ(test::State(doc.GetModel()), after);
}

TEST_F(ChangeTest, ReviewListsChangedFieldsAndExactlyTheBytesSaveWrites)
{
    const Bytes original = file.Read();
    EXPECT_TRUE(doc.ReviewChanges().entries.empty());
    EXPECT_TRUE(doc.ReviewChanges().bytes.empty()) << "a sample image saves unchanged";

    const int r = NamedPartRow(T("tanks"));
    const int part = T("tanks").Code("parts", r, 0);
    doc.Apply(Edit("main_cannons").SetCell(1, 1, "258"));
    doc.Apply(Edit("tanks").SetCode("parts", r, 0, part ^ 0x80));
    doc.Apply(Edit("monsters").SetCode("loot_gate", 5, 0, 0x41));
    const Review review = doc.ReviewChanges();
    ASSERT_FALSE(review.Refused());
    ASSERT_EQ(review.entries.size(), 3u);
    EXPECT_EQ(review.entries[0].Describe(),
              "表「主炮」 第 2 行「" + T("main_cannons").RowLabel(1) + "」 列「价格」: \"" +
                  doc.GetModel().Get("main_cannons").BaselineCell(1, 1) + "\" -> \"258\"");
    const std::string name = T("tanks").Cell(r, 6);
    char codes[2][8];
    std::snprintf(codes[0], sizeof codes[0], "0x%02X", part);
    std::snprintf(codes[1], sizeof codes[1], "0x%02X", part ^ 0x80);
    EXPECT_EQ(review.entries[1].columnTitle, "装备1");
    EXPECT_EQ(review.entries[1].before, name + " [" + codes[0] + "]");
    EXPECT_EQ(review.entries[1].after, name + " [" + codes[1] + "]");
    EXPECT_EQ(review.entries[2].columnTitle, "loot_gate");
    EXPECT_EQ(review.entries[2].column, -1);

    ASSERT_TRUE(doc.Save().ok);
    const Bytes saved = file.Read();
    const std::vector<uint32_t> written = test::Differing(original, saved);
    ASSERT_EQ(written.size(), review.bytes.size());
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(review.bytes[i].offset, written[i]);
        EXPECT_EQ(review.bytes[i].before, original[written[i]]);
        EXPECT_EQ(review.bytes[i].after, saved[written[i]]);
    }
    EXPECT_TRUE(doc.ReviewChanges().entries.empty()) << "the baseline moves with a successful save";

    doc.Apply(Edit("main_cannons").SetCell(1, 1, "12a"));
    const Review refused = doc.ReviewChanges();
    EXPECT_TRUE(refused.Refused());
    EXPECT_TRUE(refused.bytes.empty());
    ASSERT_EQ(refused.refusals.size(), 1u);
    EXPECT_NE(refused.Format().find(Describe(refused.refusals[0])), std::string::npos);
}

// A stored value below its row flag loads as a negative text, which a save keeps as stored bytes
// only while the cell still holds the text the last load or save left there.
TEST(ChangeBaseline, ASavedValueReplacesTheLoadedTextAsTheUnchangedOne)
{
    Bytes image = MakeSampleImage(9);
    const uint32_t attack3 = 0xC05F4 + 9 * 3 + 5; // row 3 carries the flag 0x6000
    test::Put(image, attack3, 2, 0x0010);
    test::TempImage file(image);
    RomDocument doc;
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    const std::string loaded = doc.GetModel().Get("main_cannons").Cell(3, 4);
    ASSERT_EQ(loaded, "-24560");

    doc.Apply(Edit("main_cannons").SetCell(3, 4, "5"));
    ASSERT_TRUE(doc.Save().ok);
    doc.Apply(Edit("main_cannons").SetCell(3, 4, loaded));
    const Status again = doc.Save();
    EXPECT_FALSE(again.ok)
        << "the file holds 5 now; keeping its bytes would report a save that did not happen";
    EXPECT_EQ(test::Get(file.Read(), attack3, 2), 0x6000u + 5);
}

TEST(ChangeCheck, AnEditIsCheckedOnlyInTheFieldsItSets)
{
    Model model;
    LoadTables(MakeSampleImage(10), model);
    model.Get("main_cannons").SetCell(0, 1, "bad"); // somebody else's problem
    const Table& t = model.Get("main_cannons");
    struct Case {
        Edit edit;
        size_t errors;
    };
    const Case cases[] = {
        {Edit("main_cannons").SetCell(3, 4, "8191"), 0},
        {Edit("main_cannons").SetCell(3, 4, "8192"), 1},
        {Edit("main_cannons").SetCell(3, 4, "x").SetCell(3, 1, "70000"), 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckEdit(t, c.edit).size(), c.errors);
    EXPECT_EQ(CheckEdit(model.Get("tanks"), Edit("tanks").SetCode("parts", 1, 3, 256)).size(), 1u);
}

TEST_F(ChangeTest, ACellCountsAsChangedByItsTextOrByACodeItShowsUntilSaved)
{
    const int r = NamedPartRow(T("tanks"));
    const int part = T("tanks").Code("parts", r, 1);
    doc.Apply(Edit("tanks").SetCode("parts", r, 1, part ^ 0x80).SetCell(r, 2, "7"));
    doc.Apply(
        Edit("monsters").SetCode("late_category", 3, 0, (T("monsters").Code("late_category", 3) + 1) % 16));
    for (int column = 0; column < T("tanks").Columns(); ++column)
        EXPECT_EQ(T("tanks").IsChanged(r, column), column == 2 || column == 7) << column;
    EXPECT_TRUE(T("monsters").IsChanged(3, 18)) << "the loot cell shows the category too";
    EXPECT_FALSE(T("monsters").IsChanged(3, 17));
    ASSERT_TRUE(doc.Save().ok);
    EXPECT_FALSE(T("tanks").IsChanged(r, 7));
    EXPECT_FALSE(T("monsters").IsChanged(3, 18));
}
