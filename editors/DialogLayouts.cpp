// The row editor dialogs, as data. Coordinates are dialog units (x, y, width, height); a
// control's label sits to its left on the same line. Every dialog has the title label with
// the row's name (static 1005) beside it, a frame around the fields, and "确定"/"取消".
#include "editors/DialogLayout.h"

#include <QtGlobal>
#include <algorithm>

namespace dravik::editors {

namespace {

using K = DialogControlKind;
using E = Entries;

constexpr int kLine = 12; // height of an edit box, a drop-down list or a label beside one

DialogControl Label(const char* text, int x, int y, int width)
{
    return {K::Label, 0, text, x, y, width, kLine};
}
DialogControl Frame(const char* text, int x, int y, int width, int height)
{
    return {K::Frame, 0, text, x, y, width, height};
}
DialogControl Edit(int id, const char* key, int x, int y, int width)
{
    return {K::Edit, id, "", x, y, width, kLine, E::None, key};
}
DialogControl Combo(int id, const char* key, int x, int y, int width)
{
    return {K::Combo, id, "", x, y, width, kLine, E::None, key};
}
DialogControl DropList(int id, int x, int y, int width, Entries entries)
{
    return {K::DropList, id, "", x, y, width, kLine, entries};
}
DialogControl Ok(int x, int y, int width = 50)
{
    return {K::Button, 1, QT_TRANSLATE_NOOP("DialogLayouts", "确定"), x, y, width, 14};
}
DialogControl Cancel(int x, int y, int width = 50)
{
    return {K::Button, 2, QT_TRANSLATE_NOOP("DialogLayouts", "取消"), x, y, width, 14};
}

// "当前正在编辑的..." and the row's name beside it, up to the dialog's right margin. A
// Chinese character takes about 7.5 horizontal units.
void Heading(std::vector<DialogControl>& c, const char* label, int dialogWidth, int y = 7)
{
    int characters = 0;
    for (const char* p = label; *p; ++p)
        characters += (*p & 0xC0) != 0x80;
    const int labelWidth = (15 * characters + 1) / 2;
    c.push_back({K::Label, 0, label, 7, y, labelWidth, 10});
    c.push_back({K::Title, 1005, "", 12 + labelWidth, y, dialogWidth - 19 - labelWidth, 10});
}

// The five tank part editors: fields in two columns inside one frame, buttons underneath. The
// dialog is at least as tall as its rows of fields need.
struct PartField {
    const char* label;
    int id;
    const char* key;
};
DialogLayout PartEditor(const char* id, const char* table, const char* caption, int height,
                        const char* heading, std::vector<PartField> left, std::vector<PartField> right)
{
    const int rows = static_cast<int>(std::max(left.size(), right.size()));
    const int frameHeight = 18 * rows + 10;
    DialogLayout d{id, {table}, caption, 190, std::max(height, 20 + frameHeight + 6 + 14 + 6), {}};
    Heading(d.controls, heading, d.width);
    d.controls.push_back(Frame("", 7, 20, 176, frameHeight));
    for (size_t i = 0; i < left.size(); ++i) {
        const int y = 30 + 18 * static_cast<int>(i);
        d.controls.push_back(Label(left[i].label, 14, y, 30));
        d.controls.push_back(Edit(left[i].id, left[i].key, 46, y, 44));
    }
    for (size_t i = 0; i < right.size(); ++i) {
        const int y = 30 + 18 * static_cast<int>(i);
        d.controls.push_back(Label(right[i].label, 98, y, 34));
        d.controls.push_back(Edit(right[i].id, right[i].key, 134, y, 42));
    }
    const int buttons = 20 + frameHeight + 6;
    d.controls.push_back(Ok(38, buttons));
    d.controls.push_back(Cancel(102, buttons));
    return d;
}

DialogLayout HumanEditor(const char* id, std::vector<const char*> tables, const char* caption,
                         const char* heading, const char* secondLabel, const char* secondKey, bool weapon)
{
    DialogLayout d{id, std::move(tables), caption, 204, 95, {}};
    Heading(d.controls, heading, d.width);
    d.controls.push_back(Frame("", 7, 20, 190, 47));
    d.controls.push_back(Label(QT_TRANSLATE_NOOP("DialogLayouts", "价格"), 14, 30, 24));
    d.controls.push_back(Edit(1013, "price", 40, 30, 50));
    d.controls.push_back(Label(secondLabel, 14, 48, 24));
    d.controls.push_back(Edit(1014, secondKey, 40, 48, 50));
    int y = 30;
    if (weapon) {
        d.controls.push_back(Label(QT_TRANSLATE_NOOP("DialogLayouts", "攻击范围"), 100, y, 36));
        d.controls.push_back(Combo(1022, "range", 138, y, 52));
        y += 18;
    }
    d.controls.push_back(Label(QT_TRANSLATE_NOOP("DialogLayouts", "装备的人"), 100, y, 36));
    d.controls.push_back(Combo(1023, "users", 138, y, 52));
    d.controls.push_back(Ok(45, 74));
    d.controls.push_back(Cancel(109, 74));
    return d;
}

DialogLayout Tank()
{
    DialogLayout d{"CTankDlg", {"tanks"}, QT_TRANSLATE_NOOP("DialogLayouts", "战车属性编辑"), 328, 190, {}};
    Heading(d.controls, QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的战车"), d.width);
    d.controls.push_back(Frame("", 7, 20, 314, 142));
    const char* left[] = {
        QT_TRANSLATE_NOOP("DialogLayouts", "弹仓"), QT_TRANSLATE_NOOP("DialogLayouts", "防御"),
        QT_TRANSLATE_NOOP("DialogLayouts", "防御上限"), QT_TRANSLATE_NOOP("DialogLayouts", "重量"),
        QT_TRANSLATE_NOOP("DialogLayouts", "出租车装甲上限")};
    const char* leftKeys[] = {"shells", "defence", "max_defence", "weight", "rental_armour"};
    for (int i = 0; i < 5; ++i) {
        d.controls.push_back(Label(left[i], 14, 30 + 18 * i, 58));
        d.controls.push_back(Edit(1013 + i, leftKeys[i], 74, 30 + 18 * i, 34));
    }
    const char* parts[] = {
        QT_TRANSLATE_NOOP("DialogLayouts", "装备1"), QT_TRANSLATE_NOOP("DialogLayouts", "装备2"),
        QT_TRANSLATE_NOOP("DialogLayouts", "装备3"), QT_TRANSLATE_NOOP("DialogLayouts", "装备4"),
        QT_TRANSLATE_NOOP("DialogLayouts", "装备5"), QT_TRANSLATE_NOOP("DialogLayouts", "装备6"),
        QT_TRANSLATE_NOOP("DialogLayouts", "装备7"), QT_TRANSLATE_NOOP("DialogLayouts", "装备8")};
    const char* partKeys[] = {"parts[0]", "parts[1]", "parts[2]", "parts[3]",
                              "parts[4]", "parts[5]", "parts[6]", "parts[7]"};
    for (int i = 0; i < 8; ++i) {
        d.controls.push_back(Label(parts[i], 116, 30 + 16 * i, 24));
        d.controls.push_back(Combo(1022 + i, partKeys[i], 140, 30 + 16 * i, 76));
    }
    const char* items[] = {
        QT_TRANSLATE_NOOP("DialogLayouts", "道具1"), QT_TRANSLATE_NOOP("DialogLayouts", "道具2"),
        QT_TRANSLATE_NOOP("DialogLayouts", "道具3"), QT_TRANSLATE_NOOP("DialogLayouts", "道具4")};
    const char* itemKeys[] = {"items[0]", "items[1]", "items[2]", "items[3]"};
    for (int i = 0; i < 4; ++i) {
        d.controls.push_back(Label(items[i], 222, 30 + 16 * i, 24));
        d.controls.push_back(Combo(1030 + i, itemKeys[i], 246, 30 + 16 * i, 68));
    }
    d.controls.push_back(Ok(104, 170));
    d.controls.push_back(Cancel(174, 170));
    return d;
}

DialogLayout Character()
{
    DialogLayout d{
        "CCharacterDlg", {"characters"}, QT_TRANSLATE_NOOP("DialogLayouts", "人物属性编辑"), 344, 148, {}};
    Heading(d.controls, QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的人物"), d.width);
    d.controls.push_back(Frame("", 7, 20, 330, 100));
    const char* stats[] = {"LV",
                           QT_TRANSLATE_NOOP("DialogLayouts", "战斗"),
                           QT_TRANSLATE_NOOP("DialogLayouts", "驾驶"),
                           QT_TRANSLATE_NOOP("DialogLayouts", "修理"),
                           QT_TRANSLATE_NOOP("DialogLayouts", "腕力"),
                           QT_TRANSLATE_NOOP("DialogLayouts", "智力"),
                           QT_TRANSLATE_NOOP("DialogLayouts", "体力"),
                           QT_TRANSLATE_NOOP("DialogLayouts", "速度"),
                           "HP",
                           QT_TRANSLATE_NOOP("DialogLayouts", "最大HP")};
    const char* statKeys[] = {"level",        "battle",  "driving", "repair", "strength",
                              "intelligence", "stamina", "speed",   "hp",     "max_hp"};
    for (int i = 0; i < 10; ++i) {
        const int column = i / 5, y = 30 + 18 * (i % 5);
        d.controls.push_back(Label(stats[i], column ? 78 : 14, y, column ? 28 : 20));
        d.controls.push_back(Edit(1013 + i, statKeys[i], column ? 108 : 36, y, 34));
    }
    const char* slots[] = {
        QT_TRANSLATE_NOOP("DialogLayouts", "道具1"), QT_TRANSLATE_NOOP("DialogLayouts", "道具2"),
        QT_TRANSLATE_NOOP("DialogLayouts", "道具3"), QT_TRANSLATE_NOOP("DialogLayouts", "装备1"),
        QT_TRANSLATE_NOOP("DialogLayouts", "装备2"), QT_TRANSLATE_NOOP("DialogLayouts", "装备3"),
        QT_TRANSLATE_NOOP("DialogLayouts", "装备4"), QT_TRANSLATE_NOOP("DialogLayouts", "装备5"),
        QT_TRANSLATE_NOOP("DialogLayouts", "装备6"), QT_TRANSLATE_NOOP("DialogLayouts", "装备7")};
    const char* slotKeys[] = {"items[0]",     "items[1]",     "items[2]",     "equipment[0]", "equipment[1]",
                              "equipment[2]", "equipment[3]", "equipment[4]", "equipment[5]", "equipment[6]"};
    for (int i = 0; i < 10; ++i) {
        const int column = i / 5, y = 30 + 18 * (i % 5);
        d.controls.push_back(Label(slots[i], column ? 248 : 150, y, 24));
        d.controls.push_back(Combo(1023 + i, slotKeys[i], column ? 272 : 174, y, 64 - 4 * column));
    }
    d.controls.push_back(Ok(112, 127));
    d.controls.push_back(Cancel(182, 127));
    return d;
}

// The attack lists show the list of the row's attacks (names::AttackListFor).
DialogLayout Monster()
{
    DialogLayout d{"CMonsterDlg", {"monsters"}, QT_TRANSLATE_NOOP("DialogLayouts", "怪物属性编辑"),
                   426,           182,          {}};
    Heading(d.controls, QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的怪物"), d.width, 6);
    d.controls.push_back(Frame("", 7, 18, 138, 94));
    const char* stats[] = {
        QT_TRANSLATE_NOOP("DialogLayouts", "强度"), QT_TRANSLATE_NOOP("DialogLayouts", "攻击"),
        QT_TRANSLATE_NOOP("DialogLayouts", "防御"), "HP",
        QT_TRANSLATE_NOOP("DialogLayouts", "命中"), QT_TRANSLATE_NOOP("DialogLayouts", "回避"),
        QT_TRANSLATE_NOOP("DialogLayouts", "速度"), QT_TRANSLATE_NOOP("DialogLayouts", "护甲"),
        QT_TRANSLATE_NOOP("DialogLayouts", "经验"), QT_TRANSLATE_NOOP("DialogLayouts", "金钱")};
    const char* statKeys[] = {"level",   "attack", "defence", "hp",  "hit",
                              "evasion", "speed",  "armour",  "exp", "gold"};
    for (int i = 0; i < 10; ++i) {
        const int column = i / 5, y = 28 + 16 * (i % 5);
        d.controls.push_back(Label(stats[i], column ? 80 : 14, y, 22));
        d.controls.push_back(Edit(1013 + i, statKeys[i], column ? 104 : 38, y, 36));
    }
    d.controls.push_back(Frame(QT_TRANSLATE_NOOP("DialogLayouts", "攻击方式"), 151, 18, 268, 94));
    const char* numbers[] = {"1", "2", "3", "4", "5", "6"};
    const char* attackKeys[] = {"attacks[0]", "attacks[1]", "attacks[2]",
                                "attacks[3]", "attacks[4]", "attacks[5]"};
    for (int i = 0; i < 6; ++i) {
        d.controls.push_back(Label(numbers[i], 158, 30 + 13 * i, 8));
        d.controls.push_back(Combo(1023 + i, attackKeys[i], 168, 30 + 13 * i, 244));
    }
    // Each drop: its category above, the human-things and tank-things lists below it.
    const char* frames[] = {QT_TRANSLATE_NOOP("DialogLayouts", "3回合以内战利品"),
                            QT_TRANSLATE_NOOP("DialogLayouts", "3回合以上战利品")};
    for (int i = 0; i < 2; ++i) {
        const LootDropIds& drop = kLootDrops[i];
        const int x = i == 0 ? 7 : 185;
        d.controls.push_back(Frame(frames[i], x, 116, 172, 50));
        d.controls.push_back(DropList(drop.category, x + 7, 128, 72, E::LootCategories));
        d.controls.push_back(DropList(drop.human, x + 7, 146, 78, E::HumanLoot));
        d.controls.push_back(DropList(drop.tank, x + 89, 146, 76, E::TankLoot));
    }
    d.controls.push_back(Ok(365, 124, 54));
    d.controls.push_back(Cancel(365, 146, 54));
    return d;
}

const std::vector<DialogLayout>& Layouts()
{
    static const std::vector<DialogLayout> layouts = {
        PartEditor("CMainCannonDlg", "main_cannons", QT_TRANSLATE_NOOP("DialogLayouts", "主炮属性编辑"), 110,
                   QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的主炮"),
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "价格"), 1013, "price"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "防御"), 1014, "defence"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "重量"), 1015, "weight"}},
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "攻击"), 1016, "attack"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "弹仓"), 1017, "shells"}}),
        PartEditor("CSubCannonDlg", "sub_cannons", QT_TRANSLATE_NOOP("DialogLayouts", "副炮属性编辑"), 93,
                   QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的副炮"),
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "价格"), 1013, "price"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "防御"), 1014, "defence"}},
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "重量"), 1016, "weight"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "攻击"), 1017, "attack"}}),
        PartEditor("CSpecialCannonDlg", "special_cannons",
                   QT_TRANSLATE_NOOP("DialogLayouts", "特殊炮属性编辑"), 113,
                   QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的特殊炮"),
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "价格"), 1013, "price"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "防御"), 1014, "defence"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "重量"), 1015, "weight"}},
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "攻击"), 1016, "attack"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "弹仓"), 1017, "shells"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "炮弹价格"), 1018, "shell_price"}}),
        PartEditor("CControlSystemDlg", "control_systems",
                   QT_TRANSLATE_NOOP("DialogLayouts", "控制系统属性编辑"), 110,
                   QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的控制系统"),
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "价格"), 1013, "price"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "防御"), 1014, "defence"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "重量"), 1015, "weight"}},
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "命中"), 1016, "hit"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "回避"), 1017, "evasion"}}),
        PartEditor("CEngineDlg", "engines", QT_TRANSLATE_NOOP("DialogLayouts", "引擎属性编辑"), 93,
                   QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的引擎"),
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "价格"), 1013, "price"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "防御"), 1014, "defence"}},
                   {{QT_TRANSLATE_NOOP("DialogLayouts", "重量"), 1016, "weight"},
                    {QT_TRANSLATE_NOOP("DialogLayouts", "载重"), 1017, "load"}}),
        Tank(),
        HumanEditor("CHumanWeaponDlg", {"human_weapons"}, QT_TRANSLATE_NOOP("DialogLayouts", "人类武器编辑"),
                    QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的武器"),
                    QT_TRANSLATE_NOOP("DialogLayouts", "攻击"), "attack", true),
        HumanEditor("CHumanArmorDlg", {"head_armour", "body_armour", "hand_foot_armour", "armour_pieces"},
                    QT_TRANSLATE_NOOP("DialogLayouts", "人类防具编辑"),
                    QT_TRANSLATE_NOOP("DialogLayouts", "当前正在编辑的防具"),
                    QT_TRANSLATE_NOOP("DialogLayouts", "防御"), "defence", false),
        Character(),
        Monster(),
    };
    return layouts;
}

} // namespace

const DialogLayout* RowEditorLayout(const std::string& tableId)
{
    for (const DialogLayout& layout : Layouts())
        for (const char* table : layout.tables)
            if (tableId == table)
                return &layout;
    return nullptr;
}

} // namespace dravik::editors
