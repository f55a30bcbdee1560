// The document: opening, validating and saving whole images (refusals leave the file untouched, no
// save writes outside a field); every change goes through it, which records old and new values,
// tells its listeners once and can put a change back exactly; the review of unsaved changes and
// the recovery records that keep them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <set>

#include "FieldMap.h"
#include "rom/Codecs.h"
#include "rom/Recovery.h"
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

// A sample image opened in a document that notes every change it tells of.
class OpenDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.Open(file.Path()).ok());
        doc.Subscribe([this](const Change& c) { told.push_back(c); });
    }
    Table& T(const char* id) { return doc.GetModel().Get(id); }

    test::TempImage file{MakeSampleImage(8)};
    RomDocument doc;
    std::vector<Change> told;
};
} // namespace

TEST_F(OpenDocument, OpenRefusesFilesItCannotEditAndKeepsTheOldOne)
{
    test::TempImage shortFile(Bytes(0xC8425, 0), "short.smc");
    const std::string before = doc.GetModel().Get("monsters").Cell(5, 4);

    const QDir dir = QDir::temp();
    for (const std::string& bad : {shortFile.Path(), std::string("/nonexistent/x.smc"),
                                   dir.absolutePath().toStdString(), std::string()}) {
        EXPECT_TRUE(test::Refused(doc.Open(bad).error, bad));
        EXPECT_TRUE(doc.IsLoaded());
        EXPECT_EQ(doc.Path(), file.Path());
        EXPECT_EQ(doc.GetModel().Get("monsters").Cell(5, 4), before);
    }
}

TEST_F(OpenDocument, SaveRefusesInvalidCellsAsAWholeAndListsThem)
{
    const Bytes original = file.Read();
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
    m.Get("items").SetCell(5, 1, "－５");         // a full-width sign is still a sign
    const SaveResult s = doc.Save();
    EXPECT_FALSE(s.ok());
    ASSERT_EQ(s.cellErrors.size(), 9u);
    EXPECT_EQ(s.cellErrors[0].row, 2); // people count rows from 1
    EXPECT_EQ(file.Read(), original);
    for (const std::string& part :
         {"表「主炮」 第 2 行「" + m.Get("main_cannons").RowLabel(1) + "」", std::string("\"12a\" 不是数字"),
          std::string("0 到 8191"), std::string("256 到 511"), std::string("0.00 到 2.55"),
          std::string("表「红狼的HP」 第 1 行")})
        EXPECT_TRUE(test::Mentions(Describe(s.error), part));

    for (const Error& e : s.cellErrors)
        if (e.columnIndex > 0)
            m.Get(e.tableId).SetCell(e.row - 1, e.columnIndex,
                                     m.Get(e.tableId).BaselineCell(e.row - 1, e.columnIndex));
    m.Get("tanks").SetCode("parts", 0, 0, 0xFF);
    m.Get("main_cannons").SetCell(1, 4, " 12\r\n"); // surrounding space and line breaks are fine
    const SaveResult ok = doc.Save();
    ASSERT_EQ(Describe(ok.error), "");
    EXPECT_GT(ok.changedBytes, 0);
    EXPECT_EQ(file.Read().size(), original.size());
}

TEST_F(OpenDocument, SaveOfAVanishedFileIsReported)
{
    doc.GetModel().Get("items").SetCell(0, 1, "1");
    QFile::remove(QString::fromStdString(file.Path()));
    EXPECT_TRUE(test::Refused(doc.Save().error, "文件不存在"));
    EXPECT_FALSE(test::Exists(file.Path()));
}

// Every row of one value column at a time gets a new value: the save writes only field bytes,
// and the image read back shows exactly the model's cells, in that table and every other.
TEST(Document, EveryValueCellEditWritesOnlyItsOwnField)
{
    std::set<uint32_t> fieldBytes = test::FieldBytes();
    fieldBytes.merge(test::FieldBytes(true)); // where a field added later lies
    const Bytes image = MakeSampleImage(6);
    Model model = test::Loaded(image);
    Bytes after = image;
    ApplyPatches(PlanSave(model).patches, after);
    ASSERT_TRUE(after == image) << "a sample image saves unchanged";

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
            after = image;
            ApplyPatches(plan.patches, after);
            const std::vector<uint32_t> changed = test::Differing(image, after);
            ASSERT_FALSE(changed.empty());
            for (uint32_t at : changed)
                ASSERT_TRUE(fieldBytes.count(at)) << "wrote outside a field at " << std::hex << at;
            ASSERT_TRUE(test::State(test::Loaded(after)) == test::State(model));
            for (int row = 0; row < t.Rows(); ++row)
                t.SetCell(row, column, old[static_cast<size_t>(row)]);
        }
    }
    EXPECT_GT(edits, 1500);
}

TEST_F(OpenDocument, ApplyRecordsWhatReallyChangedAndTellsOnce)
{
    const std::string price = T("main_cannons").Cell(0, 1);
    const int r = NamedPartRow(T("tanks"));
    const int part = T("tanks").Code("parts", r, 0);
    const std::string partName = T("tanks").Cell(r, 6);
    // {what, the edit, the change (empty: nothing changes and nobody is told)}
    const std::tuple<const char*, Edit, Change> cases[] = {
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
    for (const auto& [what, edit, expected] : cases) {
        SCOPED_TRACE(what);
        told.clear();
        const Change change = doc.Apply(edit);
        EXPECT_TRUE(expected.Empty() ? change.Empty() : change == expected);
        EXPECT_TRUE(told == (expected.Empty() ? std::vector<Change>() : std::vector<Change>{change}));
    }
    EXPECT_EQ(std::get<2>(cases[0]).Rows(), std::vector<int>{0});
    EXPECT_EQ(std::get<2>(cases[5]).Columns(), std::vector<int>{6});
}

TEST_F(OpenDocument, ReplayingTheReversedChangesRestoresEveryCellCodeAndNameExactly)
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

TEST_F(OpenDocument, ReviewListsChangedFieldsAndExactlyTheBytesSaveWrites)
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
    const auto shown = [&](int code) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", code);
        return T("tanks").Cell(r, 6) + " [" + hex + "]";
    };
    EXPECT_EQ(review.entries[1].columnTitle, "装备1");
    EXPECT_EQ(review.entries[1].before + " " + review.entries[1].after,
              shown(part) + " " + shown(part ^ 0x80));
    EXPECT_EQ(review.entries[2].columnTitle, "loot_gate");
    EXPECT_EQ(review.entries[2].column, -1);

    ASSERT_TRUE(doc.Save().ok());
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
    test::OpenImage o(image);
    const std::string loaded = o.doc.GetModel().Get("main_cannons").Cell(3, 4);
    ASSERT_EQ(loaded, "-24560");

    o.doc.Apply(Edit("main_cannons").SetCell(3, 4, "5"));
    ASSERT_TRUE(o.doc.Save().ok());
    o.doc.Apply(Edit("main_cannons").SetCell(3, 4, loaded));
    EXPECT_FALSE(o.doc.Save().ok())
        << "the file holds 5 now; keeping its bytes would report a save that did not happen";
    EXPECT_EQ(test::Get(o.file.Read(), attack3, 2), 0x6000u + 5);
}

TEST(ChangeCheck, AnEditIsCheckedOnlyInTheFieldsItSets)
{
    Model model = test::Loaded(MakeSampleImage(10));
    model.Get("main_cannons").SetCell(0, 1, "bad"); // somebody else's problem
    const Table& t = model.Get("main_cannons");
    const std::tuple<Edit, size_t> cases[] = {
        {Edit("main_cannons").SetCell(3, 4, "8191"), 0},
        {Edit("main_cannons").SetCell(3, 4, "8192"), 1},
        {Edit("main_cannons").SetCell(3, 4, "x").SetCell(3, 1, "70000"), 2},
    };
    for (const auto& [edit, errors] : cases)
        EXPECT_EQ(CheckEdit(t, edit).size(), errors);
    EXPECT_EQ(CheckEdit(model.Get("tanks"), Edit("tanks").SetCode("parts", 1, 3, 256)).size(), 1u);
}

TEST_F(OpenDocument, ACellCountsAsChangedByItsTextOrByACodeItShowsUntilSaved)
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
    // A text Save reads as a number stays until saved, then shows what the file holds, as Open would.
    const std::tuple<const char*, int, int, const char*, const char*> typed[] = {
        {"items", 1, 1, "１２３", "123"},
        {"items", 2, 1, "007", "7"},
        {"items", 3, 1, " 12 ", "12"},
        {"items", 4, 1, "", "0"},
        {"engines", 0, 3, "1.005", "1.01"}};
    for (const auto& [id, row, column, text, shown] : typed)
        doc.Apply(Edit(id).SetCell(row, column, text));
    const SaveResult saved = doc.Save();
    ASSERT_TRUE(saved.ok());
    EXPECT_FALSE(T("tanks").IsChanged(r, 7));
    EXPECT_FALSE(T("monsters").IsChanged(3, 18));
    for (const auto& [id, row, column, text, shown] : typed) {
        EXPECT_EQ(T(id).Cell(row, column), shown) << text;
        EXPECT_FALSE(T(id).IsChanged(row, column)) << text;
    }
    EXPECT_EQ(std::vector<Change>(told.end() - 2, told.end()), saved.shown) << "told as any change";
}

TEST_F(OpenDocument, ARecordWrittenAndReadBackGivesTheSameSaveAsTheEditsThemselves)
{
    const Bytes sample = file.Read();
    test::OpenImage other(sample, "b.smc");
    const int part = doc.GetModel().Get("tanks").Code("parts", 0, 1);
    doc.Apply(Edit("main_cannons").SetCell(4, 1, "777").SetCell(4, 5, "9"));
    doc.Apply(Edit("tanks").SetCode("parts", 0, 1, part ^ 0x80)); // the same name, another code
    doc.Apply(Edit("monsters").SetCode("attacks", 60, 2, 0x11).SetCell(60, 9, "1234"));
    doc.Apply(Edit("red_wolf").SetCell(0, 1, "5000"));
    doc.Apply(Edit("items").SetCell(3, 1, "55"));
    doc.Apply(Edit("items").SetCell(3, 1, doc.GetModel().Get("items").BaselineCell(3, 1))); // back: not kept

    QTemporaryDir folder;
    const std::string path = RecordPath(folder.path().toStdString(), file.Path());
    const RecoveryRecord record{file.Path(), HashImage(doc.SavedParts()), UnsavedEdits(doc.GetModel())};
    EXPECT_EQ(record.Count(), 6);
    EXPECT_EQ(static_cast<int>(ChangedFields(doc.GetModel()).size()), record.Count());
    ASSERT_EQ(Describe(WriteRecord(path, record)), "");
    RecoveryRecord read;
    ASSERT_EQ(Describe(ReadRecord(path, read)), "");
    EXPECT_EQ(read.imagePath, file.Path());
    EXPECT_EQ(read.Count(), 6);

    EXPECT_EQ(HashImage(other.doc.SavedParts()), read.imageHash);
    for (const Edit& e : read.edits)
        other.doc.Apply(e);
    ASSERT_TRUE(doc.Save().ok());
    ASSERT_TRUE(other.doc.Save().ok());
    EXPECT_EQ(file.Read(), other.file.Read());
    EXPECT_NE(file.Read(), sample);
    EXPECT_TRUE(UnsavedEdits(doc.GetModel()).empty());

    RemoveRecord(path);
    const std::optional<Error> none = ReadRecord(path, read);
    EXPECT_TRUE(none && none->Missing()); // no record is told apart from a broken one
}

TEST(Recovery, AnythingButAValidRecordIsRefusedWithAReason)
{
    const RecoveryRecord good{"/x.smc",
                              "ab",
                              {Edit("items").SetCell(0, 1, "1"), Edit("tanks").SetCode("items", 1, 3, 7)},
                              {Edit("items").SetCell(0, 1, "0"), Edit("tanks").SetCode("items", 1, 3, 5)}};
    RecoveryRecord parsed;
    ASSERT_EQ(Describe(ParseRecord(SerializeRecord(good), parsed)), "");
    EXPECT_EQ(parsed.Count(), 2);
    EXPECT_EQ(SerializeRecord(parsed), SerializeRecord(good)) << "the values from before come back too";

    const std::string text = SerializeRecord(good);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        const size_t at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? t : t.replace(at, from.size(), to);
    };
    // {record, words of the refusal ("": any)}: held to what an import accepts
    const std::tuple<std::string, std::string> refused[] = {
        // clang-format off
        {"", ""},
        {text.substr(0, text.size() / 2), ""}, // cut short by a crash of the disk
        {replaced("dravik-recovery-1", "dravik-recovery-9"), ""},
        {replaced("\"items\":{", "\"nope\":{"), ""},        // a table that does not exist
        {replaced("[[0,1,\"1\"]]", "[[128,1,\"1\"]]"), ""}, // a row beyond the table
        {replaced("[[0,1,\"1\"]]", "[[0,0,\"1\"]]"), ""},   // the fixed label
        {replaced("[\"items\",1,3,7]", "[\"items\",1,4,7]"), ""},
        {replaced("[\"items\",1,3,7]", "[\"nope\",1,3,7]"), ""},
        {replaced("[[0,1,\"1\"]]", "[[0,1,1]]"), ""},
        {replaced("[\"items\",1,3,7]", "[\"items\",1e300,3,7]"), ""}, // no int holds it (found by fuzz_recovery)
        {replaced("\"tanks\":{\"cells\":[],\"codes\":[[\"items\",1,3,7]]", "\"monsters\":{\"cells\":[],\"codes\":[[\"loot_gate\",1,0,7]]"),
         "表 monsters 的内容无效：代码第 1 项：代码 loot_gate 不能修改"},
        {replaced("\"tanks\":{\"cells\":[]", "\"tanks\":{\"cells\":[[0,6,\"x\"]]"), "第 6 列不是可以修改的数值列"},
        {replaced("\"hash\":", "\"hash\":\"x\",\"hash\":"), "JSON 路径 hash：\"hash\" 出现了两次"},
        {replaced("[[0,1,\"1\"]]", "[[0,1,\"\\udc00\"]]"), "不成对的代理码位"},
        {replaced("[[0,1,\"0\"]]", "[[1,1,\"0\"]]"), "恢复记录中的原值与修改不对应"},
        // clang-format on
    };
    for (const auto& [record, says] : refused)
        EXPECT_TRUE(test::Refused(ParseRecord(record, parsed), says)) << record;
    EXPECT_EQ(parsed.Count(), 2) << "a refused record leaves the last one as it was";

    QTemporaryDir folder;
    const std::string path = RecordPath(folder.path().toStdString(), "/x.smc");
    EXPECT_EQ(path, RecordPath(folder.path().toStdString(), "/./x.smc"));
    const std::string cut = "{\"format\": 3";
    ASSERT_TRUE(test::WriteFile(path, Bytes(cut.begin(), cut.end())));
    const std::optional<Error> broken = ReadRecord(path, parsed);
    ASSERT_TRUE(broken && !broken->Missing());
    // Only a file that could not be read this time is kept for a later Open; a broken one, a
    // folder, a link or a huge file never reads, and a missing one is no record.
    EXPECT_FALSE(MayReadLater(*broken));
    for (const int error : {EISDIR, ELOOP, EINVAL, EFBIG, ENOENT})
        EXPECT_FALSE(MayReadLater(Error::Reading(path, error))) << error;
    for (const int error : {EIO, EACCES, ENOMEM})
        EXPECT_TRUE(MayReadLater(Error::Reading(path, error))) << error;
}

// Reloading a file another program changed: the user's changes go back on top of the new
// contents, cell by cell; what only the other program changed stays as it wrote it.
TEST_F(OpenDocument, CarriedChangesGoBackOnTopOfTheReloadedFile)
{
    RomDocument theirs;
    ASSERT_TRUE(theirs.Open(file.Path()).ok());
    const int part = doc.GetModel().Get("tanks").Code("parts", 2, 0);
    doc.Apply(Edit("items").SetCell(1, 1, "11").SetCell(2, 1, "22").SetCell(3, 1, "33"));
    doc.Apply(Edit("tanks").SetCode("parts", 2, 0, part ^ 0x80));
    theirs.Apply(Edit("items").SetCell(2, 1, "99").SetCell(3, 1, "33").SetCell(4, 1, "44"));
    ASSERT_TRUE(theirs.Save().ok());

    const CarriedChanges carried = CarryUnsaved(doc.GetModel());
    ASSERT_TRUE(doc.Open(file.Path()).ok());
    const Reapplication plan = PlanReapply(doc.GetModel(), carried);
    EXPECT_EQ(plan.count, 3) << "row 3 holds the user's value already";
    EXPECT_EQ(plan.changedAlso, 1) << "row 2 was changed by both";
    for (const Edit& e : plan.edits)
        doc.Apply(e);
    const Table& items = doc.GetModel().Get("items");
    EXPECT_EQ(items.Cell(1, 1) + "," + items.Cell(2, 1) + "," + items.Cell(3, 1) + "," + items.Cell(4, 1),
              "11,22,33,44");
    EXPECT_EQ(doc.GetModel().Get("tanks").Code("parts", 2, 0), part ^ 0x80);
    EXPECT_EQ(PlanReapply(doc.GetModel(), carried).count, 0) << "applied once, nothing is left";
}
