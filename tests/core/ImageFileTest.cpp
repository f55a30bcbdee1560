// Real image files: with and without the copier header, too short, too large; backups.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {
// A file of the given size whose content is a sample image as far as it reaches; the rest is a
// hole, so even a huge file costs nothing.
std::string SparseImage(const QTemporaryDir& dir, const char* name, uint64_t size, bool header)
{
    const std::string path = dir.path().toStdString() + "/" + name;
    Bytes image = MakeSampleImage(11, header);
    image.resize(std::min<uint64_t>(size, image.size()));
    EXPECT_TRUE(test::WriteFile(path, image));
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.resize(static_cast<qint64>(size)));
    return path;
}
} // namespace

TEST(ImageFile, SizeDecidesTheHeaderAndTheMinimum)
{
    struct Case {
        uint64_t size;
        bool accepted;
        bool header;
    };
    const Case cases[] = {
        {0xC8425, false, true},                  // one byte short of the last field
        {0xC8426, true, true},                   // just long enough
        {0xC8000, false, false},                 // whole kilobytes: a plain dump, too short for it
        {0xC8400, true, false},                  // the shortest plain dump that holds every table
        {0x200000, true, false},                 //
        {0x200200, true, true},                  //
        {kMaximumImageSize, true, false},        //
        {kMaximumImageSize + 1, false, true},    // refused before anything is read
        {kMaximumImageSize + 1024, false, false} //
    };
    Model sample;
    LoadTables(MakeSampleImage(11), sample);
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const std::string path = SparseImage(dir, "image.smc", c.size, c.header);
        RomDocument doc;
        const Status s = doc.Open(path);
        EXPECT_EQ(s.ok, c.accepted) << std::hex << c.size << " " << s.message;
        if (s.ok) {
            EXPECT_EQ(doc.Form().header, c.header) << std::hex << c.size;
            EXPECT_TRUE(test::State(doc.GetModel()) == test::State(sample)) << std::hex << c.size;
        } else {
            EXPECT_NE(s.message.find(std::to_string(c.size)), std::string::npos) << s.message;
        }
    }
}

// An Open reads only the stretches that hold tables: every byte the passes read or write must lie
// in them, or a value would silently load as 0.
TEST(ImageFile, ThePassesTouchOnlyTheTableRanges)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        const Bytes image = test::RandomImage(seed);
        std::vector<ImagePart> parts;
        for (const ByteRange& s : TableRanges({}))
            parts.push_back(ImagePart{s.begin, Bytes(image.begin() + s.begin, image.begin() + s.end)});
        Model whole, fromParts;
        LoadTables(image, whole);
        LoadTables(parts, fromParts, {});
        EXPECT_TRUE(test::State(whole) == test::State(fromParts)) << seed;

        Model random;
        FillRandomModel(random, seed);
        for (const Patch& p : PlanSave(random).patches) {
            bool inside = false;
            for (const ByteRange& s : TableRanges({}))
                inside = inside || (p.offset >= s.begin && p.offset + p.width <= s.end);
            EXPECT_TRUE(inside) << std::hex << p.offset;
        }
    }
}

TEST(ImageFile, HeaderlessTwinShowsTheSameTablesAndTakesTheSameEditsLower)
{
    test::Folder dir;
    const Bytes before = MakeSampleImage(4), plainBefore = MakeSampleImage(4, false);
    ASSERT_TRUE(std::equal(plainBefore.begin(), plainBefore.end(), before.begin() + kCopierHeaderSize));
    const std::string headered = dir.Write("a.smc", before), plain = dir.Write("a.sfc", plainBefore);
    // One edit in every table, the first value cell and the first code, in both images.
    RomDocument docs[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(docs[i].Open(i ? plain : headered).ok);
        EXPECT_EQ(docs[i].Form().header, i == 0);
        for (Table& t : docs[i].GetModel().Tables()) {
            const int column = t.Layout().ValueColumns().front();
            t.SetCell(t.Rows() - 1, column, t.Cell(t.Rows() - 1, column) == "1" ? "2" : "1");
            if (!t.CodeArrays().empty())
                t.CodeArrays().front().At(0) ^= 1;
        }
        const Status s = docs[i].Save();
        ASSERT_TRUE(s.ok) << s.message;
    }
    EXPECT_TRUE(test::State(docs[0].GetModel()) == test::State(docs[1].GetModel()));
    const std::vector<uint32_t> changed = test::Differing(before, test::ReadFile(headered));
    std::vector<uint32_t> plainChanged = test::Differing(plainBefore, test::ReadFile(plain));
    for (uint32_t& at : plainChanged)
        at += kCopierHeaderSize;
    EXPECT_GT(changed.size(), 22u);
    EXPECT_EQ(changed, plainChanged);
}

// Open reads only the table stretches, so a change another program made elsewhere in the file is
// not a reason to refuse a save, and the save, patching in place, keeps it.
TEST(ImageFile, SaveKeepsAChangeMadeOutsideTheTables)
{
    Bytes image = MakeSampleImage(6);
    test::TempImage file(image);
    RomDocument doc;
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    image[0x14] ^= 0xFF;
    ASSERT_TRUE(test::WriteFile(file.Path(), image));
    doc.GetModel().Get("items").SetCell(0, 1, "7");
    const Status s = doc.Save();
    ASSERT_TRUE(s.ok) << s.message;
    const Bytes after = file.Read();
    EXPECT_EQ(after[0x14], image[0x14]);
    EXPECT_EQ(test::Get(after, 0xC0200, 2), 7u);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(RomDocument::BackupPath(file.Path()))))
        << "none asked for";
}

TEST(ImageFile, BackupKeepsTheStateBeforeEachSaveAndGoesElsewhereWhenItCannotBeBeside)
{
    const Bytes original = MakeSampleImage(7);
    test::TempImage file(original);
    const std::string backup = RomDocument::BackupPath(file.Path());
    RomDocument doc;
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    doc.SetBackupOnSave(true);
    Table& items = doc.GetModel().Get("items");

    items.SetCell(0, 1, "11");
    ASSERT_TRUE(doc.Save().ok);
    EXPECT_EQ(test::ReadFile(backup), original);
    const Bytes first = file.Read();
    EXPECT_NE(first, original);

    ASSERT_TRUE(doc.Save().ok); // nothing changes: the backup still holds the state before the edit
    EXPECT_EQ(test::ReadFile(backup), original);

    items.SetCell(0, 1, "12");
    ASSERT_TRUE(doc.Save().ok); // the older backup is replaced
    EXPECT_EQ(test::ReadFile(backup), first);

    // Something that is no file sits where the backup goes: the backup goes to the data folder
    // and the save says so.
    const Bytes second = file.Read();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(backup)));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(backup)));
    items.SetCell(0, 1, "13");
    const Status s = doc.Save();
    const std::string elsewhere = RomDocument::BackupInDataFolder(file.Path());
    EXPECT_TRUE(s.ok) << s.message;
    EXPECT_NE(s.notice.find(elsewhere), std::string::npos) << s.notice;
    EXPECT_EQ(test::ReadFile(elsewhere), second);
    QFile::remove(QString::fromStdString(elsewhere));
}
