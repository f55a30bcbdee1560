// Opening, validating and saving whole images: refusals leave the file untouched, and no save
// ever writes outside a field.
#include <gtest/gtest.h>

#include <QDir>
#include <random>

#include "FieldMap.h"
#include "rom/Codecs.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
// The bytes a set of patches would change, without copying the image.
std::vector<uint32_t> Changes(const Bytes& image, const std::vector<Patch>& patches)
{
    std::vector<uint32_t> out;
    for (const Patch& p : patches)
        for (int i = 0; i < p.width; ++i)
            if (image[p.offset + i] != static_cast<uint8_t>(p.value >> (8 * i)))
                out.push_back(p.offset + i);
    return out;
}
} // namespace

TEST(Document, OpenRefusesFilesItCannotEditAndKeepsTheOldOne)
{
    test::TempImage good(MakeSampleImage(3));
    test::TempImage shortFile(Bytes(0xC8425, 0), "short.smc");
    RomDocument doc;
    ASSERT_TRUE(doc.Open(good.Path()).ok);
    const std::string before = doc.GetModel().Get("monsters").Cell(5, 4);

    const QDir dir = QDir::temp();
    for (const std::string& bad : {shortFile.Path(), std::string("/nonexistent/x.smc"),
                                   dir.absolutePath().toStdString(), std::string()}) {
        const Status s = doc.Open(bad);
        EXPECT_FALSE(s.ok) << bad;
        EXPECT_NE(s.message.find(bad), std::string::npos) << s.message;
        EXPECT_TRUE(doc.IsLoaded());
        EXPECT_EQ(doc.Path(), good.Path());
        EXPECT_EQ(doc.GetModel().Get("monsters").Cell(5, 4), before);
    }
}

TEST(Document, SaveRefusesInvalidCellsAsAWholeAndListsThem)
{
    test::TempImage file(MakeSampleImage(4));
    const Bytes original = file.Read();
    RomDocument doc;
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    Model& m = doc.GetModel();
    m.Get("main_cannons").SetCell(0, 1, "100");   // valid, but must not be written either
    m.Get("main_cannons").SetCell(1, 4, "12a");   // not a number
    m.Get("special_shells").SetCell(2, 1, "256"); // one byte
    m.Get("main_cannons").SetCell(3, 4, "8192");  // row 3 flag 0x6000: room below 0x2000
    m.Get("human_weapons").SetCell(41, 2, "255"); // rows 40-47 hold 256 to 511
    m.Get("monsters").SetCell(9, 2, "4096");      // packed: 0 to 4095
    m.Get("engines").SetCell(0, 3, "2.56");       // one-byte hundredths
    m.Get("tanks").SetCode("parts", 0, 0, 256);   // a code beyond its byte
    m.Get("red_wolf").SetCell(0, 1, "70000");     // written twice: named once
    const Status s = doc.Save();
    EXPECT_FALSE(s.ok);
    ASSERT_EQ(s.cellErrors.size(), 8u);
    EXPECT_EQ(s.cellErrors[0].row, 2); // people count rows from 1
    EXPECT_EQ(file.Read(), original);
    for (const std::string& part :
         {"表「主炮」 第 2 行「" + m.Get("main_cannons").RowLabel(1) + "」", std::string("\"12a\" 不是数字"),
          std::string("0 到 8191"), std::string("256 到 511"), std::string("0.00 到 2.55"),
          std::string("表「红狼的HP」 第 1 行")})
        EXPECT_TRUE(test::Contains(s.message, part)) << s.message;

    for (const Error& e : s.cellErrors)
        if (e.columnIndex > 0)
            m.Get(e.tableId).SetCell(e.row - 1, e.columnIndex,
                                     m.Get(e.tableId).BaselineCell(e.row - 1, e.columnIndex));
    m.Get("tanks").SetCode("parts", 0, 0, 0xFF);
    m.Get("main_cannons").SetCell(1, 4, " 12\r\n"); // surrounding space and line breaks are fine
    const Status ok = doc.Save();
    ASSERT_TRUE(ok.ok) << ok.message;
    EXPECT_GT(ok.changedBytes, 0);
    EXPECT_EQ(file.Read().size(), original.size());
}

TEST(Document, SaveOfAVanishedFileIsReported)
{
    test::TempImage file(MakeSampleImage(5));
    RomDocument doc;
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    doc.GetModel().Get("items").SetCell(0, 1, "1");
    QFile::remove(QString::fromStdString(file.Path()));
    const Status s = doc.Save();
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.message.find("文件不存在"), std::string::npos) << s.message;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file.Path())));
}

// Every row of one value column at a time gets a new value: the save writes only field bytes,
// and the image read back shows exactly the model's cells, in that table and every other.
TEST(Document, EveryValueCellEditWritesOnlyItsOwnField)
{
    std::set<uint32_t> fieldBytes = test::FieldBytes();
    fieldBytes.merge(test::SpareBytes()); // where a field added later lies
    Bytes image = MakeSampleImage(6);
    Model model;
    LoadTables(image, model);
    ASSERT_TRUE(Changes(image, PlanSave(model).patches).empty()) << "a sample image saves unchanged";

    std::mt19937 rng(6);
    int edits = 0;
    for (Table& t : model.Tables()) {
        for (int column : t.Layout().ValueColumns()) {
            SCOPED_TRACE(testing::Message() << t.Id() << " column " << column);
            std::vector<std::string> old;
            for (int row = 0; row < t.Rows(); ++row) {
                old.push_back(t.Cell(row, column));
                const bool hundredths = old.back().find('.') != std::string::npos;
                // A different value in the field's room: nudge down, or up from zero.
                const int64_t v = hundredths ? *ParseHundredths(old.back()) : *ParseWhole(old.back());
                const int64_t nv = v > 0 ? v - 1 - static_cast<int64_t>(rng() % std::min<int64_t>(v, 5)) : 1;
                t.SetCell(row, column,
                          hundredths ? FormatHundredths(static_cast<int32_t>(nv))
                                     : FormatWhole(static_cast<int32_t>(nv)));
                ++edits;
            }
            const SavePlan plan = PlanSave(model);
            ASSERT_TRUE(plan.Ok()) << Describe(plan.errors[0]);
            const std::vector<uint32_t> changed = Changes(image, plan.patches);
            ASSERT_FALSE(changed.empty());
            for (uint32_t at : changed)
                ASSERT_TRUE(fieldBytes.count(at)) << "wrote outside a field at " << std::hex << at;
            Bytes after = image;
            ApplyPatches(plan.patches, after);
            Model reloaded;
            LoadTables(after, reloaded);
            for (const Table& r : reloaded.Tables())
                for (int row = 0; row < r.Rows(); ++row)
                    for (int c = 1; c < r.Columns(); ++c)
                        ASSERT_EQ(r.Cell(row, c), model.Get(r.Id()).Cell(row, c))
                            << r.Id() << " " << row << " " << c;
            for (int row = 0; row < t.Rows(); ++row)
                t.SetCell(row, column, old[static_cast<size_t>(row)]);
        }
    }
    EXPECT_GT(edits, 1500);
}

// The digits a Chinese input method types count as digits.
TEST(Document, FullWidthDigitsAndSignsSaveAsTheirAsciiForms)
{
    struct Case {
        const char* table;
        int row, column;
        const char* text;
        uint32_t offset;
        int width;
        uint32_t stored;
    };
    const Case cases[] = {
        {"red_wolf", 0, 1, "１２３", 0x30151, 2, 123},
        {"red_wolf", 0, 1, "\xe3\x80\x80４５\xe3\x80\x80", 0x30153, 2, 45}, // ideographic spaces around
        {"items", 3, 1, "６５５３５", 0xC0200 + 3 * 2, 2, 65535},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Bytes image = MakeSampleImage(2);
        Model m;
        LoadTables(image, m);
        m.Get(c.table).SetCell(c.row, c.column, c.text);
        const SavePlan plan = PlanSave(m);
        ASSERT_TRUE(plan.Ok()) << Describe(plan.errors[0]);
        ApplyPatches(plan.patches, image);
        EXPECT_EQ(test::Get(image, c.offset, c.width), c.stored);
    }
    Model m;
    LoadTables(MakeSampleImage(2), m);
    m.Get("engines").SetCell(0, 3, "１．２５"); // a hundredths field
    m.Get("red_wolf").SetCell(0, 1, "－５");    // still no sign in a save
    const SavePlan plan = PlanSave(m);
    ASSERT_EQ(plan.errors.size(), 1u);
    EXPECT_EQ(plan.errors[0].tableId, "red_wolf");
}
