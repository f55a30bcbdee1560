// Bulk formulas and copy and paste: what they compute, that every result is checked as Save
// checks it and saved as planned, and that a refused paste or formula changes nothing.
#include <gtest/gtest.h>

#include "rom/Formula.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "rom/TableText.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
// row and column count from 0; row -1: the refusal names no row.
bool HasRefusal(const std::vector<Error>& refusals, int row, int column, const std::string& reason)
{
    for (const Error& e : refusals)
        if (e.row == row + 1 && e.columnIndex == column && Reason(e).find(reason) != std::string::npos)
            return true;
    return false;
}
} // namespace

TEST(Formula, WorksOutValuesAndRefusesWhatItCannotRead)
{
    // Each formula and its value for x = 35, r = 2.
    for (const auto& [text, value] :
         std::vector<std::tuple<const char*, std::optional<double>>>{{"x*1.2", 42},
                                                                     {"x+10", 45},
                                                                     {"round(x/10)*10", 40},
                                                                     {"round(-2.5)", -3},
                                                                     {"min(x*2, 50)", 50},
                                                                     {"max(x, 1, 100)", 100},
                                                                     {"floor(x/3) + ceil(x/3)", 23},
                                                                     {"x > 30 ? x : 0", 35},
                                                                     {"r*10", 20},
                                                                     {"７", 7},
                                                                     {"= x + 1", 36},
                                                                     {"x/(r-2)", std::nullopt},
                                                                     {"x^1000", std::nullopt},
                                                                     {"round(0/0)", std::nullopt},
                                                                     {"round(x*1e16)/1e16", 35},
                                                                     {"round(x/(r-2))", std::nullopt}}) {
        Formula f;
        ASSERT_EQ(f.Read(text), std::nullopt) << text;
        EXPECT_EQ(f.Value(35, 2), value) << text;
    }
    // Refused, saying why and where (characters counted from 1).
    for (const auto& [text, says] : std::vector<std::pair<std::string, std::string>>{
             {"", "公式是空的"},
             {" ", "公式是空的"},
             {"x + y", "不认识“y”（第 5 个字符）"},
             {"x+", "公式不完整"},
             {"(x", "公式不完整"},
             {"sin(x)", "不认识“sin”"},
             {"1,2", "只能算出一个值"},
             {"min()", "参数个数不对"},
             {"\"a\"", "公式有错误"},
             {"x" + std::string(kMaximumFormulaLength, '+') + "1", "公式"}}) {
        Formula f;
        const std::optional<Error> refused = f.Read(text);
        const std::string error = refused ? Describe(*refused) : "";
        EXPECT_NE(error.find(says), std::string::npos) << text << ": " << error;
        EXPECT_EQ(f.Value(1, 1), std::nullopt) << text;
    }
}

TEST(Formula, RoundsHalfAwayFromZeroToTheFieldsUnit)
{
    for (const auto& [value, codec, text] :
         std::vector<std::tuple<double, Codec, std::string>>{{2.5, Codec::Whole, "3"},
                                                             {-2.5, Codec::Whole, "-3"},
                                                             {2.4999, Codec::Whole, "2"},
                                                             {1.005, Codec::Hundredths, "1.01"},
                                                             {0.67 * 1.5, Codec::Hundredths, "1.01"},
                                                             {-1.005, Codec::Hundredths, "-1.01"},
                                                             {-0.05, Codec::Hundredths, "-0.05"},
                                                             {12.3, Codec::Hundredths, "12.30"},
                                                             {1e30, Codec::Whole, "1000000000000000"}})
        EXPECT_EQ(UnitText(RoundToUnit(value, codec), codec), text) << value;
}

// Plain, hundredths and flag-bearing fields, the packed monster words among them: the document
// holds what the plan said, the image saved reads back as planned (a lost flag bit would not), and
// the undo of the one change puts every byte back.
TEST(BulkEdit, AppliesAsOneChangeAndSavesWhatItPlanned)
{
    test::OpenImage o(MakeSampleImage(7));
    RomDocument& doc = o.doc;
    const Bytes original = o.file.Read();
    for (const auto& [table, key, formula] : std::vector<std::tuple<const char*, const char*, const char*>>{
             {"main_cannons", "price", "round(x/10)*10"},
             {"main_cannons", "weight", "x*0.9"},
             {"main_cannons", "attack", "min(x, 900) + r"},
             {"monsters", "hp", "floor(x*0.8)"},
             {"monsters", "armour", "7"}}) {
        const Table& t = doc.GetModel().Get(table);
        const int column = t.Layout().Column(key);
        std::vector<int> rows;
        for (int row = 0; row < t.Rows(); row += 2)
            rows.push_back(row);
        const BulkPlan plan = PlanBulk(t, column, rows, formula);
        ASSERT_TRUE(plan.Ok()) << key << " " << (plan.error ? Describe(*plan.error) : std::string());
        const Change change = doc.Apply(plan.edit);
        for (const BulkRow& r : plan.rows)
            EXPECT_EQ(t.Cell(r.row, column), r.after) << key << " row " << r.row;
        EXPECT_EQ(change.Columns(), std::vector<int>{column}) << key;

        const SavePlan save = PlanSave(doc.GetModel());
        ASSERT_TRUE(save.Ok()) << key;
        Bytes saved = original;
        ApplyPatches(save.patches, saved);
        Model reloaded = test::Loaded(saved);
        for (const BulkRow& r : plan.rows)
            EXPECT_EQ(reloaded.Get(table).Cell(r.row, column), r.after) << key << " row " << r.row;

        doc.Replay(change.Reversed());
        EXPECT_TRUE(PlanSave(doc.GetModel()).Ok());
        EXPECT_TRUE(ChangedFields(doc.GetModel()).empty()) << key;
    }
}

TEST(BulkEdit, MarksEveryRowThatDoesNotFitAndRefusesBadInput)
{
    Model model = test::Loaded(MakeSampleImage(2));
    const Table& t = model.Get("main_cannons");
    const int attack = t.Layout().Column("attack"), weight = t.Layout().Column("weight");
    // Row 1 (from 0) carries flag 0x0400: its attack must stay below 1024.
    BulkPlan plan = PlanBulk(t, attack, {0, 1, 2}, "r == 2 ? 1024 : x");
    EXPECT_FALSE(plan.Ok());
    ASSERT_EQ(plan.rows.size(), 3u);
    EXPECT_TRUE(plan.rows[0].Fits() && plan.rows[2].Fits());
    EXPECT_EQ(plan.rows[1].after, "1024");
    ASSERT_TRUE(plan.rows[1].refusal);
    EXPECT_EQ(Describe(*plan.rows[1].refusal),
              "表「主炮」 第 2 行「" + t.RowLabel(1) + "」 列「攻击」: \"1024\" 超出范围 0 到 1023");

    plan = PlanBulk(t, weight, {0, 1}, "x - 1000");
    EXPECT_EQ(plan.Misfits(), 2);
    EXPECT_EQ(Reason(*plan.rows[0].refusal).substr(0, 12), "超出范围");
    plan = PlanBulk(t, weight, {0}, "x / 0");
    EXPECT_EQ(plan.Misfits(), 1);
    EXPECT_EQ(plan.rows[0].after, "");

    EXPECT_TRUE(PlanBulk(t, 0, {0}, "1").error);                         // the name column
    EXPECT_TRUE(PlanBulk(t, attack, {t.Rows()}, "1").error);             // no such row
    EXPECT_TRUE(PlanBulk(t, attack, {0}, "x +* 2").error);               // no formula
    EXPECT_TRUE(PlanBulk(t, attack, {0}, "x").edit.Cells().size() == 1); // unchanged rows still listed
}

// Every table copied whole and pasted back is no change at all: codes come back by name, rows
// by name (the second row of a name to the second row of that name).
TEST(Paste, CopyThenPasteIntoTheSameRowsChangesNothing)
{
    Model model = test::Loaded(MakeSampleImage(5));
    for (const Table& t : model.Tables()) {
        std::vector<int> rows;
        for (int row = 0; row < t.Rows(); ++row)
            rows.push_back(row);
        const PastePlan plan = PlanPaste(t, CopyRows(t, rows), 0, 1);
        EXPECT_TRUE(plan.Ok()) << t.Id() << Describe(plan.error ? *plan.error : plan.refusals.at(0));
        EXPECT_TRUE(plan.edit.Empty()) << t.Id();
    }
}

TEST(Paste, TakesColumnsByTitleAndRowsByNameInAnyOrder)
{
    test::OpenImage o(MakeSampleImage(3));
    RomDocument& doc = o.doc;
    const Table& t = doc.GetModel().Get("main_cannons");
    const std::string name0 = t.RowLabel(0), name4 = t.RowLabel(4);
    // As a spreadsheet gives it back: CRLF, a number reformatted, columns reordered, a subset.
    const std::string text =
        "攻击\t主炮\t重量\r\n100\t" + name4 + "\t1.5\r\n" + t.Cell(0, 4) + "\t" + name0 + "\t12\r\n";
    const std::string price4 = t.Cell(4, 1);
    const PastePlan plan = PlanPaste(t, text, 20, 3);
    ASSERT_TRUE(plan.Ok()) << Describe(plan.error ? *plan.error : plan.refusals.at(0));
    // Its review before it is applied says what the review after it says.
    const Review preview = ReviewEdit(t, plan.edit, doc.SavedParts(), doc.Form());
    doc.Apply(plan.edit);
    const Review review = doc.ReviewChanges();
    EXPECT_EQ(preview.Format(), review.Format());
    EXPECT_EQ(preview.entries.size(), 3u);
    EXPECT_EQ(t.Cell(4, 4) + "," + t.Cell(4, 3) + "," + t.Cell(0, 3) + "," + t.Cell(4, 1),
              "100,1.5,12," + price4);

    // Without a title line: by position from the given cell, rows from the given row down.
    const PastePlan at = PlanPaste(t, "7\t8\n9\n", 2, 1);
    ASSERT_TRUE(at.Ok());
    doc.Apply(at.edit);
    EXPECT_EQ(t.Cell(2, 1) + "," + t.Cell(2, 2) + "," + t.Cell(3, 1), "7,8,9");
}

TEST(Paste, RefusesAsAWholeAndListsEachBadCell)
{
    Model model = test::Loaded(MakeSampleImage(4));
    const Table& monsters = model.Get("monsters");
    const Table before = monsters;
    const std::string text = "怪物\t攻击\t攻击方式1\t强度\n" + monsters.RowLabel(0) +
                             "\tabc\t没有这个名称\t5\n" + monsters.RowLabel(1) + "\t5000\t" +
                             monsters.Cell(1, 11) + "\t6\n" + "没有这个怪物\t1\t\t1\n";
    const PastePlan plan = PlanPaste(monsters, text, 0, 1);
    EXPECT_FALSE(plan.Ok());
    EXPECT_TRUE(HasRefusal(plan.refusals, 0, 2, "不是数字"));
    EXPECT_TRUE(HasRefusal(plan.refusals, 0, 11, ""));
    EXPECT_TRUE(HasRefusal(plan.refusals, 1, 2, "超出范围"));
    EXPECT_TRUE(HasRefusal(plan.refusals, -1, 0, "没有这个名称"));
    EXPECT_EQ(plan.refusals.size(), 4u);

    const Table& items = model.Get("items");
    const PastePlan tooMany = PlanPaste(items, "1\n2\n3\n", items.Rows() - 1, 1);
    EXPECT_EQ(tooMany.refusals.size(), 2u);
    EXPECT_TRUE(HasRefusal(tooMany.refusals, -1, -1, "从这一行起只有 1 行，粘贴的行太多"));
    EXPECT_TRUE(HasRefusal(PlanPaste(items, "1\t2\t3\t4\t5\t6\t7\t8\t9\n", 0, 1).refusals, 0, -1, "列数"));
    EXPECT_TRUE(PlanPaste(items, "\n\n", 0, 1).error);

    for (int row = 0; row < monsters.Rows(); ++row)
        for (int c = 1; c < monsters.Columns(); ++c)
            ASSERT_EQ(monsters.Cell(row, c), before.Cell(row, c));
}
