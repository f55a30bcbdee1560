// Real image files: with and without the copier header, too short, too large; backups; the internal
// header (which files pass as images, the cartridge checksum and where its fix goes).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "rom/InternalHeader.h"
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

constexpr uint32_t kLo = 0x200 + 0x7FC0, kHi = 0x200 + 0xFFC0; // in a file with a copier header

} // namespace

TEST(ImageFile, SizeDecidesTheHeaderAndTheMinimum)
{
    const std::tuple<uint64_t, bool, bool> cases[] = {
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
    Model sample = test::Loaded(MakeSampleImage(11));
    QTemporaryDir dir;
    for (const auto& [size, accepted, header] : cases) {
        const std::string path = SparseImage(dir, "image.smc", size, header);
        RomDocument doc;
        const OpenResult s = doc.Open(path);
        EXPECT_EQ(s.ok(), accepted) << std::hex << size << " " << Describe(s.error);
        EXPECT_TRUE(s.ok() ? doc.Form().header == header && test::State(doc.GetModel()) == test::State(sample)
                           : test::Contains(Describe(s.error), std::to_string(size)))
            << std::hex << size << " " << Describe(s.error);
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
        ASSERT_TRUE(docs[i].Open(i ? plain : headered).ok());
        EXPECT_EQ(docs[i].Form().header, i == 0);
        for (Table& t : docs[i].GetModel().Tables()) {
            const int column = t.Layout().ValueColumns().front();
            t.SetCell(t.Rows() - 1, column, t.Cell(t.Rows() - 1, column) == "1" ? "2" : "1");
            if (!t.CodeArrays().empty())
                t.CodeArrays().front().At(0) ^= 1;
        }
        const SaveResult s = docs[i].Save();
        ASSERT_TRUE(s.ok()) << Describe(s.error);
    }
    EXPECT_TRUE(test::State(docs[0].GetModel()) == test::State(docs[1].GetModel()));
    const std::vector<uint32_t> changed = test::Differing(before, test::ReadFile(headered));
    std::vector<uint32_t> plainChanged = test::Differing(plainBefore, test::ReadFile(plain));
    for (uint32_t& at : plainChanged)
        at += kCopierHeaderSize;
    EXPECT_GT(changed.size(), 22u);
    EXPECT_EQ(changed, plainChanged);
}

TEST(ImageFile, BackupKeepsTheStateBeforeEachSaveAndGoesElsewhereWhenItCannotBeBeside)
{
    const Bytes original = MakeSampleImage(7);
    test::OpenImage o(original);
    const test::TempImage& file = o.file;
    RomDocument& doc = o.doc;
    const std::string backup = RomDocument::BackupPath(file.Path());
    doc.SetBackupOnSave(true);
    Table& items = doc.GetModel().Get("items");

    items.SetCell(0, 1, "11");
    ASSERT_TRUE(doc.Save().ok());
    EXPECT_EQ(test::ReadFile(backup), original);
    const Bytes first = file.Read();
    EXPECT_NE(first, original);

    ASSERT_TRUE(doc.Save().ok()); // nothing changes: the backup still holds the state before the edit
    EXPECT_EQ(test::ReadFile(backup), original);

    items.SetCell(0, 1, "12");
    ASSERT_TRUE(doc.Save().ok()); // the older backup is replaced
    EXPECT_EQ(test::ReadFile(backup), first);

    // Something that is no file sits where the backup goes: the backup goes to the data folder
    // and the save says so.
    const Bytes second = file.Read();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(backup)));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(backup)));
    items.SetCell(0, 1, "13");
    const SaveResult s = doc.Save();
    const std::string elsewhere = RomDocument::BackupInDataFolder(file.Path());
    EXPECT_EQ(Describe(s.error), "");
    EXPECT_TRUE(test::Mentions(s.notice, elsewhere));
    EXPECT_EQ(test::ReadFile(elsewhere), second);
    QFile::remove(QString::fromStdString(elsewhere));
}

TEST(InternalHeader, ChecksumMirrorsTheRestOfASizeThatIsNotAPowerOfTwo)
{
    const std::tuple<Bytes, uint32_t> cases[] = {
        {{1, 2, 3, 4}, 10},
        {{1, 2, 3}, 3 + 3 * 2},                       // 2 + 1: the last byte counts twice
        {{1, 1, 1, 1, 5, 6}, 4 + (5 + 6) * 2},        // 4 + 2
        {{1, 1, 1, 1, 2, 2, 7}, 4 + (2 + 2 + 7 * 2)}, // 4 + (2 + 1): the 1 fills 2, then 4
        {Bytes{}, 0},
    };
    for (const auto& [data, sum] : cases)
        EXPECT_EQ(rom::CartridgeChecksum(data.data(), data.size()), sum) << data.size();
    // 12 Mbit: 1 MiB, then 512 KiB counted twice; the sum wraps at 0x10000.
    Bytes big(0x180000, 1);
    EXPECT_EQ(rom::CartridgeChecksum(big.data(), big.size()), (0x100000 + 2 * 0x80000) & 0xFFFF);
    std::fill(big.begin() + 0x100000, big.end(), 3);
    EXPECT_EQ(rom::CartridgeChecksum(big.data(), big.size()), (0x100000 + 6 * 0x80000) & 0xFFFF);
}

TEST(InternalHeader, PlausibleWhenEitherPairAddsUp)
{
    for (bool header : {true, false}) {
        const ImageForm form{header};
        const uint32_t shift = header ? 0 : 0x200;
        Bytes sample = rom::MakeSampleImage(3, header);
        EXPECT_TRUE(rom::IsPlausibleImage(sample, form));
        Bytes random = test::RandomImage(9, header ? 0x200200 : 0x200000);
        EXPECT_FALSE(rom::IsPlausibleImage(random, form));
        for (uint32_t at : {kLo, kHi}) {
            Bytes b = random;
            test::Put(b, at - shift + rom::kComplementAt, 2, 0x1234);
            test::Put(b, at - shift + rom::kChecksumAt, 2, 0xEDCB);
            EXPECT_TRUE(rom::IsPlausibleImage(b, form)) << std::hex << at;
            test::Put(b, at - shift + rom::kChecksumAt, 2, 0xEDCC); // off by one
            EXPECT_FALSE(rom::IsPlausibleImage(b, form)) << std::hex << at;
        }
    }
}

TEST(InternalHeader, FixGoesIntoTheRecognisedHeaderAndMakesTheSumRight)
{
    const Bytes sample = rom::MakeSampleImage(4);
    EXPECT_TRUE(test::ChecksumIsRight(sample)); // the sample's own checksum is right

    Bytes edited = sample;
    edited[0x150000] ^= 0x55;
    rom::ChecksumFix fix = rom::FixChecksum(edited, ImageForm{true});
    ASSERT_FALSE(fix.error);
    EXPECT_EQ(fix.headerOffset, kLo);
    rom::ApplyPatches(fix.patches, edited);
    EXPECT_TRUE(test::ChecksumIsRight(edited));
    EXPECT_EQ(rom::FixChecksum(edited, ImageForm{true}).checksum, fix.checksum); // stable once right

    // Only the header at 0xFFC0 names its mapping: the fix goes there.
    Bytes random = test::RandomImage(9);
    random[kLo + rom::kMapModeAt] = 0x21;
    random[kHi + rom::kMapModeAt] = 0x31;
    fix = rom::FixChecksum(random, ImageForm{true});
    ASSERT_FALSE(fix.error);
    EXPECT_EQ(fix.headerOffset, kHi);
    // A pair that adds up wins over a mapping byte.
    test::Put(random, kLo + rom::kComplementAt, 4, 0x0000FFFF);
    EXPECT_EQ(rom::FixChecksum(random, ImageForm{true}).headerOffset, kLo);
    // Nothing to go by: refused with the reason.
    random = test::RandomImage(9);
    random[kLo + rom::kMapModeAt] = random[kHi + rom::kMapModeAt] = 0x00;
    fix = rom::FixChecksum(random, ImageForm{true});
    EXPECT_TRUE(test::Refused(fix.error, "找不到内部文件头"));
    EXPECT_TRUE(fix.patches.empty());
}

TEST(InternalHeader, SaveFixesTheChecksumInTheSameWriteAndKeepsItAsTheSavedState)
{
    test::OpenImage o(rom::MakeSampleImage(5, false));
    rom::RomDocument& doc = o.doc;
    EXPECT_TRUE(doc.IsPlausible());
    doc.SetFixChecksumOnSave(true);
    const std::string price = doc.GetModel().Get("hotel_rooms").Cell(0, 1);
    doc.Apply(rom::Edit("hotel_rooms").SetCell(0, 1, price == "7" ? "8" : "7"));

    const rom::SaveResult saved = doc.Save(); // the command line's tests check the review's words
    ASSERT_TRUE(saved.ok()) << Describe(saved.error);
    Bytes after = o.file.Read();
    after.insert(after.begin(), 0x200, 0); // as if it had a copier header
    EXPECT_TRUE(test::ChecksumIsRight(after));

    // A second save finds nothing to write, and the file is not taken for changed by another program.
    doc.Apply(rom::Edit("hotel_rooms").SetCell(0, 1, price));
    doc.Apply(rom::Edit("hotel_rooms").SetCell(0, 1, price == "7" ? "8" : "7"));
    EXPECT_EQ(doc.Save().changedBytes, 0);
}
