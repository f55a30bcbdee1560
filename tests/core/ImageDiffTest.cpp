// The field diff: which bytes belong to fields, field changes in the game's terms, stored-only
// changes, bytes outside every field, and images of different size.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "core/FieldMap.h"
#include "rom/ImageDiff.h"
#include "rom/PatchFiles.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "rom/SaveJournal.h"
#include "support/TestImage.h"

using namespace dravik;

namespace {
using Key = std::tuple<std::string, int, std::string>; // table, row, column

std::set<Key> Keys(const rom::ImageDiff& d)
{
    std::set<Key> out;
    for (const rom::FieldChange& f : d.fields)
        out.insert({f.tableId, f.row, f.column});
    return out;
}
} // namespace

// Every byte of the map is a field's; a field the map does not know yet may only take a spare
// byte of a known record.
TEST(ImageDiff, FieldBytesAreTheIndependentMap)
{
    const std::set<uint32_t> known = test::FieldBytes(), spare = test::FieldBytes(true);
    for (const bool header : {true, false}) {
        const std::vector<bool> map = rom::FieldByteMap(rom::ImageForm{header});
        std::set<uint32_t> fromLayouts, lost = known, elsewhere;
        for (size_t i = 0; i < map.size(); ++i)
            if (map[i])
                fromLayouts.insert(static_cast<uint32_t>(i + (header ? 0 : rom::kCopierHeaderSize)));
        for (uint32_t at : fromLayouts) {
            lost.erase(at);
            if (!known.count(at) && !spare.count(at))
                elsewhere.insert(at);
        }
        EXPECT_EQ(lost, std::set<uint32_t>{});
        EXPECT_EQ(elsewhere, std::set<uint32_t>{});
        EXPECT_EQ(map.size(), rom::ImageForm{header}.MinimumSize());
    }
}

// The open image with its edits is what a save writes, and nothing is written before the save.
TEST(ImageDiff, NamesExactlyTheEditedFieldsOfTheOpenImageAndOfTheSavedOne)
{
    const rom::Bytes a = rom::MakeSampleImage(3);
    test::OpenImage o(a);
    rom::Model& m = o.doc.GetModel();
    m.Get("items").SetCell(4, 1, "1234");
    m.Get("tanks").SetCode("parts", 2, 1, m.Get("tanks").Code("parts", 2, 1) == 5 ? 6 : 5);
    m.Get("monsters").SetCell(7, 4, m.Get("monsters").Cell(7, 4) == "99" ? "98" : "99"); // HP: a hook field
    const int category = m.Get("monsters").Code("early_category", 9); // no cell shows it within its group
    m.Get("monsters").SetCode("early_category", 9, 0, category ^ 1);
    m.Get("red_wolf").SetCell(0, 1, "4321");
    rom::Bytes image;
    ASSERT_TRUE(rom::ImageWithEdits(o.doc, image).ok());
    EXPECT_TRUE(o.file.Read() == a);
    ASSERT_TRUE(o.doc.Save().ok());
    EXPECT_TRUE(o.file.Read() == image);

    const rom::ImageDiff d = rom::DiffImages(a, image);
    const std::set<Key> expected = {{"items", 4, "价格"},
                                    {"tanks", 2, "装备2"},
                                    {"monsters", 7, "HP"},
                                    {"monsters", 9, "early_category"},
                                    {"red_wolf", 0, "HP"}};
    EXPECT_EQ(Keys(d), expected);
    EXPECT_TRUE(d.runs.empty());
    for (const rom::FieldChange& f : d.fields)
        EXPECT_FALSE(f.storedOnly) << f.tableId << " " << f.column;
    const rom::FieldChange& price = d.fields[1]; // in pass order: tanks come before items
    EXPECT_EQ(price.tableId, "items");
    EXPECT_EQ(price.after, "1234");
    EXPECT_EQ(price.rowLabel, m.Get("items").RowLabel(4));
    EXPECT_EQ(price.row, 4);

    m.Get("snacks").SetCell(3, 1, "9x");
    const rom::ImageResult refused = rom::ImageWithEdits(o.doc, image);
    ASSERT_EQ(refused.cellErrors.size(), 1u);
    EXPECT_EQ(refused.cellErrors[0].text, "9x");
}

// Bytes outside every field are counted in runs, and stored bits no cell shows are named. Images of
// different size compare what both hold; one without the copier header is compared where its tables
// are, and its offsets are its own.
TEST(ImageDiff, StoredBitsBytesOutsideFieldsAndImagesOfAnotherSizeOrForm)
{
    const rom::Bytes a = rom::MakeSampleImage(4);
    rom::Bytes b = a;
    b[0x10] ^= 1;                                        // outside: one byte
    for (uint32_t k = 0x7880D - 3; k < 0x7880D + 2; ++k) // outside, then into special cannon 0's shell price
        b[k] ^= 0xFF;
    b[0x30153] ^= 1;                                           // the red wolf's second copy
    b[0xC3BC4 + 16 * 3 + 6] ^= 0x80;                           // a monster's HP flag bits
    b[0xC3BC4 + 16 * 3 + 10] ^= 1;                             // and an attack of the same row
    for (uint32_t k = 0x150000; k < 0x150000 + 60 * 2; k += 2) // 60 runs
        b[k] ^= 1;
    rom::ImageDiff d = rom::DiffImages(a, b);
    ASSERT_EQ(d.runs.size(), 62u);
    EXPECT_EQ(d.runs[1].offset, 0x7880Du - 3);
    EXPECT_EQ(d.runs[1].length, 3u);
    EXPECT_EQ(d.bytesOutside, 1u + 3u + 60u);
    for (const rom::FieldChange& f : d.fields)
        EXPECT_EQ(f.storedOnly, f.tableId == "red_wolf" || f.column == "字节 0x0C3BF9") << f.column;
    EXPECT_TRUE(rom::DiffImages(a, a).Identical());

    rom::Bytes grown = a, cut = a;
    grown.resize(a.size() + 1024, 0xEE);
    cut.resize(rom::ImageForm{}.MinimumSize());
    cut[0xC0200] ^= 1;
    const rom::Bytes plain(a.begin() + rom::kCopierHeaderSize, a.end());
    rom::Bytes plainEdited = plain;
    plainEdited[0xC0200 - rom::kCopierHeaderSize] ^= 1; // items row 0
    plainEdited[0x1000] ^= 1;                           // outside: 0x1200 in the headered image
    const std::set<Key> items = {{"items", 0, "价格"}}, stored = {{"special_cannons", 0, "炮弹价"},
                                                                  {"red_wolf", 0, "HP"},
                                                                  {"monsters", 3, "字节 0x0C3BF9"},
                                                                  {"monsters", 3, "攻击方式1"}};
    // {a, b, fields, offset of the first run (-1: no runs)}
    const std::tuple<rom::Bytes, rom::Bytes, std::set<Key>, int64_t> cases[] = {
        {a, b, stored, 0x10},
        {a, grown, {}, -1},
        {a, cut, items, -1},
        {a, plain, {}, -1},
        {plain, a, {}, -1},
        {a, plainEdited, items, 0x1200},
        {plainEdited, a, items, 0x1000},
    };
    for (const auto& [from, to, fields, run] : cases) {
        d = rom::DiffImages(from, to);
        SCOPED_TRACE(testing::Message() << from.size() << " -> " << to.size() << " bytes");
        EXPECT_EQ(Keys(d), fields);
        EXPECT_EQ(d.runs.empty() ? -1 : static_cast<int64_t>(d.runs[0].offset), run);
        EXPECT_EQ(d.SameSize(), from.size() == to.size());
        EXPECT_FALSE(d.Identical());
    }
}

// What a write of a whole image changes: every run of differing bytes, wherever it lies against
// the blocks the comparison skips by, and the tail a size change adds or cuts.
TEST(ContentDiff, FindsEveryChangedRunWhereverItLies)
{
    // {size before, changed runs as start, length, start, length, ..., size after}
    const std::tuple<size_t, std::vector<size_t>, size_t> cases[] = {
        {9000, {}, 9000},
        {9000, {0, 1, 63, 2, 4095, 2, 8999, 1}, 9000}, // around the 64- and 4096-byte blocks
        {9000, {4000, 200, 4201, 1, 8192, 808}, 9000}, // across a block, then a run to the end
        {9000, {0, 9000}, 9000},                       // every byte
        {9000, {100, 1}, 8000},                        // cut short
        {70, {1, 68}, 9000},                           // grown, under one block at first
        {2097664, {0xC0600, 1, 0xC1000, 3}, 2097664},  // an image: one run at a block's start
    };
    for (const auto& [size, runs, newSize] : cases) {
        rom::Bytes before(size), after(newSize);
        for (size_t i = 0; i < before.size(); ++i)
            before[i] = static_cast<uint8_t>(i * 7 + i / 251);
        for (size_t i = 0; i < after.size(); ++i)
            after[i] = i < before.size() ? before[i] : static_cast<uint8_t>(i);
        std::vector<std::tuple<size_t, rom::Bytes, rom::Bytes>> expected, found;
        for (size_t k = 0; k < runs.size(); k += 2) {
            const auto from = static_cast<long>(runs[k]), to = from + static_cast<long>(runs[k + 1]);
            for (long i = from; i < to; ++i)
                after[i] = static_cast<uint8_t>(~before[i]);
            expected.push_back({runs[k],
                                {before.begin() + from, before.begin() + to},
                                {after.begin() + from, after.begin() + to}});
        }
        const rom::ImagePatch patch = rom::DiffContents(before, after);
        for (const rom::RangeChange& c : patch.changes)
            found.push_back({c.offset, c.before, c.after});
        const std::string label =
            std::to_string(size) + " bytes, " + std::to_string(runs.size() / 2) + " runs";
        EXPECT_EQ(found, expected) << label;
        const size_t common = std::min(size, newSize);
        EXPECT_EQ(patch.oldTail, rom::Bytes(before.begin() + common, before.end())) << label;
        EXPECT_EQ(patch.newTail, rom::Bytes(after.begin() + common, after.end())) << label;
    }
}
