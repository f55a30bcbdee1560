// From a row edit to the file: open an image, edit rows through the real dialogs, save, and
// find exactly the expected bytes changed.
#include "EditorSupport.h"
#include "rom/RomDocument.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::test;
using EditorSave = EditorTest;

TEST_F(EditorSave, EditsThenSaveChangeOnlyTheirBytes)
{
    TempImage image(rom::MakeSampleImage(5));
    rom::RomDocument doc;
    ASSERT_TRUE(doc.Open(image.Path()).ok);
    // A first save settles what the save pass itself writes (the loot gates), so the comparison
    // below sees the edits alone.
    ASSERT_TRUE(doc.Save().ok);
    const rom::Bytes before = image.Read();
    doc_ = &doc;
    const int late47 = T("monsters").Code("late_category", 47);
    const bool drops47 = T("monsters").Code("loot_gate", 47) >= 0x40;

    Fill("main_cannons", 2, {{1013, "1234"}});
    Fill("human_weapons", 9, {}, {{1022, 2}, {1023, 2}});         // 全体, 主|机
    Fill("head_armour", 12, {}, {{1023, 3}});                     // 战
    Fill("head_armour", 5, {{1014, "10\n"}});                     // a typed Enter stays; the save takes it
    Fill("special_cannons", 0, {{1018, "77"}});                   // the shell price lives in its own table
    Fill("tanks", 9, {{1016, "12.34"}}, {{1022, 5}, {1033, 32}}); // item 4: "-----"
    Fill("characters", 0, {{1021, "500"}}, {{1025, 128}, {1026, 48}}); // HP, "-----", the first head armour
    Fill("monsters", 47, {}, {{1023, 0x10}, {1029, 8}, {1031, 0x9F}});

    const uint32_t weapon9 = 0xC0380 + 5 * 9, tank9 = 0xC8201 + 25 * 9, loot47 = 0xC3444 + 8 * 47;
    const std::tuple<uint32_t, int, uint32_t> writes[] = {
        // offset, width, value
        {0xC05F4 + 9 * 2, 2, 1234},
        {weapon9 + 4, 1, 128 + 16},                                 // range 全体 with the row's low bits
        {weapon9 + 2, 1, (Get(before, weapon9 + 2, 1) & 0xF0) | 3}, // the equip flag stays
        {0xC0470 + 4 * 12 + 2, 1, 0xF0 + 4},                        // head row 12 keeps 0xF0 above its mask
        {0xC0470 + 4 * 5 + 3, 1, 0x80 + 10},                        // defence plus the row's flag
        {0x7880D, 2, 77},
        {tank9 + 7, 2, 1234},
        {tank9 + 12, 1, 0x85},
        {tank9 + 23, 1, 0xFF},
        {0xB7C2B + 4, 2, 500},
        {0xB7DCD + 2, 1, 0xFF},
        {0xB7DD9, 1, 0xB0},
        {0xC3BC4 + 16 * 47 + 10, 1, 0x10},
        {loot47 + 5, 1, 16 * late47 + 8},
        {loot47 + 6, 1, 0x9F},
        {loot47, 1, drops47 ? Get(before, loot47, 1) : 0x40}, // the monster now drops something
    };
    const rom::Status saved = doc.Save();
    ASSERT_TRUE(saved.ok) << saved.message;
    rom::Bytes expected = before;
    for (auto [offset, width, value] : writes)
        Put(expected, offset, width, value);
    const rom::Bytes after = image.Read();
    ASSERT_EQ(after.size(), expected.size());
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != expected[i])
            ADD_FAILURE() << std::hex << "at 0x" << i << ": " << +after[i] << ", expected " << +expected[i];
}
