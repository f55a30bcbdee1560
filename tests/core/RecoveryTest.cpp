// Recovery records: what they keep brings a freshly opened image to the same bytes on Save, and
// anything that is not a record this program wrote is refused, never applied.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "rom/Recovery.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

TEST(Recovery, ARecordWrittenAndReadBackGivesTheSameSaveAsTheEditsThemselves)
{
    const Bytes sample = MakeSampleImage(12);
    test::TempImage edited(sample, "a.smc"), recovered(sample, "b.smc");
    RomDocument doc;
    ASSERT_TRUE(doc.Open(edited.Path()).ok);
    const int part = doc.GetModel().Get("tanks").Code("parts", 0, 1);
    doc.Apply(Edit("main_cannons").SetCell(4, 1, "777").SetCell(4, 5, "9"));
    doc.Apply(Edit("tanks").SetCode("parts", 0, 1, part ^ 0x80)); // the same name, another code
    doc.Apply(Edit("monsters").SetCode("attacks", 60, 2, 0x11).SetCell(60, 9, "1234"));
    doc.Apply(Edit("red_wolf").SetCell(0, 1, "5000"));
    doc.Apply(Edit("items").SetCell(3, 1, "55"));
    doc.Apply(Edit("items").SetCell(3, 1, doc.GetModel().Get("items").BaselineCell(3, 1))); // back: not kept

    QTemporaryDir folder;
    const std::string path = RecordPath(folder.path().toStdString(), edited.Path());
    const RecoveryRecord record{edited.Path(), HashImage(doc.SavedParts()), UnsavedEdits(doc.GetModel())};
    EXPECT_EQ(record.Count(), 6);
    EXPECT_EQ(static_cast<int>(ChangedFields(doc.GetModel()).size()), record.Count());
    std::string error;
    ASSERT_TRUE(test::Succeeded(WriteRecord(path, record), error)) << error;
    RecoveryRecord read;
    ASSERT_TRUE(test::Succeeded(ReadRecord(path, read), error)) << error;
    EXPECT_EQ(read.imagePath, edited.Path());
    EXPECT_EQ(read.Count(), 6);

    RomDocument other;
    ASSERT_TRUE(other.Open(recovered.Path()).ok);
    EXPECT_EQ(HashImage(other.SavedParts()), read.imageHash);
    for (const Edit& e : read.edits)
        other.Apply(e);
    ASSERT_TRUE(doc.Save().ok);
    ASSERT_TRUE(other.Save().ok);
    EXPECT_EQ(edited.Read(), recovered.Read());
    EXPECT_NE(edited.Read(), sample);
    EXPECT_TRUE(UnsavedEdits(doc.GetModel()).empty());

    RemoveRecord(path);
    const std::optional<Error> none = ReadRecord(path, read);
    EXPECT_TRUE(none && none->Missing()); // no record is told apart from a broken one
}

TEST(Recovery, AnythingButAValidRecordIsRefusedWithAReason)
{
    const RecoveryRecord good{
        "/x.smc", "ab", {Edit("items").SetCell(0, 1, "1"), Edit("tanks").SetCode("items", 1, 3, 7)}};
    RecoveryRecord parsed;
    std::string error;
    ASSERT_TRUE(test::Succeeded(ParseRecord(SerializeRecord(good), parsed), error)) << error;
    EXPECT_EQ(parsed.Count(), 2);

    const std::string text = SerializeRecord(good);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        const size_t at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? t : t.replace(at, from.size(), to);
    };
    const std::string bad[] = {
        "",
        text.substr(0, text.size() / 2), // cut short by a crash of the disk
        replaced("dravik-recovery-1", "dravik-recovery-9"),
        replaced("\"items\":{", "\"nope\":{"),        // a table that does not exist
        replaced("[[0,1,\"1\"]]", "[[128,1,\"1\"]]"), // a row beyond the table
        replaced("[[0,1,\"1\"]]", "[[0,0,\"1\"]]"),   // the fixed label
        replaced("[\"items\",1,3,7]", "[\"items\",1,4,7]"),
        replaced("[\"items\",1,3,7]", "[\"nope\",1,3,7]"),
        replaced("[[0,1,\"1\"]]", "[[0,1,1]]"),
        replaced("[\"items\",1,3,7]", "[\"items\",1e300,3,7]"), // no int holds it (found by fuzz_recovery)
    };
    for (const std::string& b : bad) {
        error.clear();
        EXPECT_FALSE(test::Succeeded(ParseRecord(b, parsed), error)) << b;
        EXPECT_FALSE(error.empty()) << b;
    }
    // Held to what an import accepts, and saying what is wrong.
    const struct {
        std::string text;
        std::string error;
    } refused[] = {
        {replaced("\"tanks\":{\"cells\":[],\"codes\":[[\"items\",1,3,7]]",
                  "\"monsters\":{\"cells\":[],\"codes\":[[\"loot_gate\",1,0,7]]"),
         "表 monsters 的内容无效：代码第 1 项：代码 loot_gate 不能修改"},
        {replaced("\"tanks\":{\"cells\":[]", "\"tanks\":{\"cells\":[[0,6,\"x\"]]"),
         "第 6 列不是可以修改的数值列"},
        {replaced("\"hash\":", "\"hash\":\"x\",\"hash\":"), "JSON 路径 hash：\"hash\" 出现了两次"},
        {replaced("[[0,1,\"1\"]]", "[[0,1,\"\\udc00\"]]"), "不成对的代理码位"},
    };
    for (const auto& r : refused) {
        error.clear();
        EXPECT_FALSE(test::Succeeded(ParseRecord(r.text, parsed), error)) << r.text;
        EXPECT_NE(error.find(r.error), std::string::npos) << error;
    }
    EXPECT_EQ(parsed.Count(), 2) << "a refused record leaves the last one as it was";

    QTemporaryDir folder;
    const std::string path = RecordPath(folder.path().toStdString(), "/x.smc");
    EXPECT_EQ(path, RecordPath(folder.path().toStdString(), "/./x.smc"));
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": 3");
    f.close();
    const std::optional<Error> broken = ReadRecord(path, parsed);
    EXPECT_TRUE(broken && !broken->Missing());
}

// Reloading a file another program changed: the user's changes go back on top of the new
// contents, cell by cell; what only the other program changed stays as it wrote it.
TEST(Recovery, CarriedChangesGoBackOnTopOfTheReloadedFile)
{
    test::TempImage image(MakeSampleImage(3));
    RomDocument mine, theirs;
    ASSERT_TRUE(mine.Open(image.Path()).ok);
    ASSERT_TRUE(theirs.Open(image.Path()).ok);
    const int part = mine.GetModel().Get("tanks").Code("parts", 2, 0);
    mine.Apply(Edit("items").SetCell(1, 1, "11").SetCell(2, 1, "22").SetCell(3, 1, "33"));
    mine.Apply(Edit("tanks").SetCode("parts", 2, 0, part ^ 0x80));
    theirs.Apply(Edit("items").SetCell(2, 1, "99").SetCell(3, 1, "33").SetCell(4, 1, "44"));
    ASSERT_TRUE(theirs.Save().ok);

    const CarriedChanges carried = CarryUnsaved(mine.GetModel());
    ASSERT_TRUE(mine.Open(image.Path()).ok);
    const Reapplication plan = PlanReapply(mine.GetModel(), carried);
    EXPECT_EQ(plan.count, 3) << "row 3 holds the user's value already";
    EXPECT_EQ(plan.changedAlso, 1) << "row 2 was changed by both";
    for (const Edit& e : plan.edits)
        mine.Apply(e);
    const Table& items = mine.GetModel().Get("items");
    EXPECT_EQ(items.Cell(1, 1), "11");
    EXPECT_EQ(items.Cell(2, 1), "22");
    EXPECT_EQ(items.Cell(3, 1), "33");
    EXPECT_EQ(items.Cell(4, 1), "44");
    EXPECT_EQ(mine.GetModel().Get("tanks").Code("parts", 2, 0), part ^ 0x80);
    EXPECT_EQ(PlanReapply(mine.GetModel(), carried).count, 0) << "applied once, nothing is left";
}
