// The internal header: which files pass as images, the cartridge checksum and where its fix goes,
// and a save that fixes it along with its edits.
#include <gtest/gtest.h>

#include <numeric>

#include "rom/InternalHeader.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;
using rom::Bytes;
using rom::ImageForm;

namespace {
constexpr uint32_t kLo = 0x200 + 0x7FC0, kHi = 0x200 + 0xFFC0; // in a file with a copier header

uint16_t StoredChecksum(const Bytes& file, uint32_t header)
{
    return static_cast<uint16_t>(test::Get(file, header + rom::kChecksumAt, 2));
}

// The plain sum of every byte after the copier header: the checksum of a power-of-two image.
uint16_t PlainSum(const Bytes& file)
{
    return static_cast<uint16_t>(std::accumulate(file.begin() + 0x200, file.end(), 0u));
}
} // namespace

TEST(InternalHeader, ChecksumMirrorsTheRestOfASizeThatIsNotAPowerOfTwo)
{
    struct Case {
        Bytes data;
        uint32_t sum;
    } cases[] = {
        {{1, 2, 3, 4}, 10},
        {{1, 2, 3}, 3 + 3 * 2},                       // 2 + 1: the last byte counts twice
        {{1, 1, 1, 1, 5, 6}, 4 + (5 + 6) * 2},        // 4 + 2
        {{1, 1, 1, 1, 2, 2, 7}, 4 + (2 + 2 + 7 * 2)}, // 4 + (2 + 1): the 1 fills 2, then 4
        {{}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rom::CartridgeChecksum(c.data.data(), c.data.size()), c.sum) << c.data.size();
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
    EXPECT_EQ(StoredChecksum(sample, kLo), PlainSum(sample)); // the sample's own checksum is right

    Bytes edited = sample;
    edited[0x150000] ^= 0x55;
    rom::ChecksumFix fix = rom::FixChecksum(edited, ImageForm{true});
    ASSERT_FALSE(fix.error);
    EXPECT_EQ(fix.headerOffset, kLo);
    rom::ApplyPatches(fix.patches, edited);
    EXPECT_EQ(StoredChecksum(edited, kLo), PlainSum(edited));
    EXPECT_EQ(test::Get(edited, kLo + rom::kComplementAt, 2), PlainSum(edited) ^ 0xFFFFu);
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
    ASSERT_TRUE(fix.error);
    EXPECT_NE(rom::Describe(*fix.error).find("找不到内部文件头"), std::string::npos);
    EXPECT_TRUE(fix.patches.empty());
}

TEST(InternalHeader, SaveFixesTheChecksumInTheSameWriteAndKeepsItAsTheSavedState)
{
    test::TempImage file(rom::MakeSampleImage(5, false));
    rom::RomDocument doc;
    ASSERT_TRUE(doc.Open(file.Path()).ok);
    EXPECT_TRUE(doc.IsPlausible());
    doc.SetFixChecksumOnSave(true);
    const std::string price = doc.GetModel().Get("hotel_rooms").Cell(0, 1);
    doc.Apply(rom::Edit("hotel_rooms").SetCell(0, 1, price == "7" ? "8" : "7"));

    const rom::Status saved = doc.Save(); // the command line's tests check the review's words
    ASSERT_TRUE(saved.ok) << saved.message;
    Bytes after = file.Read();
    after.insert(after.begin(), 0x200, 0); // PlainSum skips a copier header
    EXPECT_EQ(StoredChecksum(after, kLo), PlainSum(after));

    // A second save finds nothing to write, and the file is not taken for changed by another program.
    doc.Apply(rom::Edit("hotel_rooms").SetCell(0, 1, price));
    doc.Apply(rom::Edit("hotel_rooms").SetCell(0, 1, price == "7" ? "8" : "7"));
    EXPECT_EQ(doc.Save().changedBytes, 0);
}
