// From a row edit to the file: open an image, edit rows through the real dialogs, save, and
// find exactly the expected bytes changed.
#include "EditorSupport.h"
#include "rom/RomDocument.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::test;

namespace {

struct Write {
    uint32_t offset;
    int width;
    uint32_t value;
};

class EditorSave : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ASSERT_TRUE(doc_.Open(image_.Path()).ok);
        // A first save settles what the save pass itself writes (the loot gates), so the
        // comparison below sees the edits alone.
        ASSERT_TRUE(doc_.Save().ok);
        before_ = image_.Read();
    }

    void DriveDoc(const char* table, int row, std::function<void(QDialog*)> act)
    {
        WhenModal(std::move(act));
        editors::EditRow(nullptr, doc_.GetModel().Get(table), row);
    }

    void ExpectOnly(const std::vector<Write>& writes)
    {
        const rom::Status saved = doc_.Save();
        ASSERT_TRUE(saved.ok) << saved.message;
        rom::Bytes expected = before_;
        for (const Write& w : writes)
            Put(expected, w.offset, w.width, w.value);
        const rom::Bytes after = image_.Read();
        ASSERT_EQ(after.size(), expected.size());
        QStringList wrong; // offset: found, expected
        for (size_t i = 0; i < after.size() && wrong.size() < 8; ++i)
            if (after[i] != expected[i])
                wrong << QString::asprintf("0x%zX: %02X, %02X", i, after[i], expected[i]);
        EXPECT_TRUE(wrong.isEmpty()) << wrong.join("; ").toStdString();
    }

    uint32_t Before(uint32_t offset, int width = 1) const { return Get(before_, offset, width); }

    TempImage image_{rom::MakeSampleImage(5)};
    rom::RomDocument doc_;
    rom::Bytes before_;
};

} // namespace

TEST_F(EditorSave, PartAndEquipmentEditsChangeOnlyTheirBytes)
{
    DriveDoc("main_cannons", 2, [](QDialog* dlg) {
        SetEdit(dlg, 1013, "1234");
        Press(dlg, "确定");
    });
    DriveDoc("human_weapons", 9, [](QDialog* dlg) {
        SetCombo(dlg, 1022, 2); // 全体
        SetCombo(dlg, 1023, 2); // 主|机
        Press(dlg, "确定");
    });
    DriveDoc("head_armour", 12, [](QDialog* dlg) {
        SetCombo(dlg, 1023, 3); // 战
        Press(dlg, "确定");
    });
    DriveDoc("head_armour", 5, [](QDialog* dlg) {
        SetEdit(dlg, 1014, "10\n"); // a typed Enter stays in the text; the save takes it
        Press(dlg, "确定");
    });
    DriveDoc("special_cannons", 0, [](QDialog* dlg) {
        SetEdit(dlg, 1018, "77"); // the shell price lives in its own table
        Press(dlg, "确定");
    });

    const uint32_t weapon9 = 0xC0380 + 5 * 9;
    ExpectOnly({
        {0xC05F4 + 9 * 2, 2, 1234},
        {weapon9 + 4, 1, 128 + 16},                       // range 全体 with the row's low bits
        {weapon9 + 2, 1, (Before(weapon9 + 2) & 0xF0) | 3}, // the equip flag stays
        {0xC0470 + 4 * 12 + 2, 1, 0xF0 + 4},             // head row 12 keeps 0xF0 above its mask
        {0xC0470 + 4 * 5 + 3, 1, 0x80 + 10},             // defence plus the row's flag
        {0x7880D, 2, 77},
    });
}

TEST_F(EditorSave, TankCharacterAndMonsterEditsChangeOnlyTheirBytes)
{
    DriveDoc("tanks", 9, [](QDialog* dlg) {
        SetEdit(dlg, 1016, "12.34");
        SetCombo(dlg, 1022, 5);
        SetCombo(dlg, 1033, 32); // "-----"
        Press(dlg, "确定");
    });
    DriveDoc("characters", 0, [](QDialog* dlg) {
        SetEdit(dlg, 1021, "500"); // HP
        SetCombo(dlg, 1025, 128);  // item 3: "-----"
        SetCombo(dlg, 1026, 48);   // equipment 1: the first head armour
        Press(dlg, "确定");
    });
    rom::Table& monsters = doc_.GetModel().Get("monsters");
    const int late = monsters.Code("late_category", 47);
    DriveDoc("monsters", 47, [](QDialog* dlg) {
        SetCombo(dlg, 1023, 0x10);
        SetCombo(dlg, 1029, 8);
        SetCombo(dlg, 1031, 0x9F);
        Press(dlg, "确定");
    });

    const uint32_t tank9 = 0xC8201 + 25 * 9;
    const uint32_t loot47 = 0xC3444 + 8 * 47;
    std::vector<Write> writes = {
        {tank9 + 7, 2, 1234},
        {tank9 + 12, 1, 0x85},
        {tank9 + 23, 1, 0xFF},
        {0xB7C2B + 4, 2, 500},
        {0xB7DCD + 2, 1, 0xFF},
        {0xB7DD9, 1, 0xB0},
        {0xC3BC4 + 16 * 47 + 10, 1, 0x10},
        {loot47 + 5, 1, static_cast<uint32_t>(16 * late + 8)},
        {loot47 + 6, 1, 0x9F},
    };
    if (monsters.Code("loot_gate", 47) < 0x40)
        writes.push_back({loot47, 1, 0x40}); // the monster now drops something
    ExpectOnly(writes);
}
