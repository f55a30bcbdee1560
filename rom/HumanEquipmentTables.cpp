// Human weapons and the four armour tables. Their 120 rows, in the order weapons, head, body,
// hand/foot, armour pieces, form the human equipment code space.
#include <QtGlobal>

#include "rom/Layout.h"
#include "rom/RowFlags.h"
#include "rom/Table.h"

namespace dravik::rom {

using names::List;

namespace {
// The who-can-equip byte: low nibble the mask, high nibble the row's flag.
Field EquipByte(uint32_t offset, RowFn flag)
{
    Field f = CodeField(offset, "users");
    f.flag = flag;
    f.flagUse = FlagUse::LowNibble;
    return f;
}

// The who-can-equip mask 1 to 7 names entry mask - 1; any other mask shows an empty cell.
CodeNaming Users()
{
    CodeNaming users = NamedBy(List::Users, 1);
    users.unnamed = Unnamed::Blank;
    return users;
}

TableLayout Armour(const char* id, const char* title, RowNames rows, uint32_t base, uint32_t stride,
                   Field defence, Field equip)
{
    TableLayout t{id,
                  {title, QT_TRANSLATE_NOOP("Tables", "价格"), QT_TRANSLATE_NOOP("Tables", "防御"),
                   QT_TRANSLATE_NOOP("Tables", "装备的人")},
                  std::move(rows)};
    t.base = base;
    t.stride = stride;
    t.codeArrays = {{"users", 1, 3, false, Users()}};
    t.fields = {Whole("price", 0, 2, 1), defence, equip};
    return t;
}
} // namespace

void AddHumanEquipmentTables(std::vector<TableLayout>& out)
{
    TableLayout weapons{"human_weapons",
                        {QT_TRANSLATE_NOOP("Tables", "人类武器"), QT_TRANSLATE_NOOP("Tables", "价格"),
                         QT_TRANSLATE_NOOP("Tables", "攻击"), QT_TRANSLATE_NOOP("Tables", "攻击范围"),
                         QT_TRANSLATE_NOOP("Tables", "装备的人")},
                        NamedRows(List::HumanEquipment, 0, 48)};
    weapons.base = 0xC0380;
    weapons.stride = 5;
    // The top two bits of the range code choose the range (3 is shown as the last, 全体, but has
    // no entry of its own); the low six are fixed per row.
    CodeNaming range = NamedBy(List::AttackRanges, 0, 0xFF, 6);
    range.unnamed = Unnamed::Last;
    range.codeForEntry = WeaponRangeCode;
    weapons.codeArrays = {{"range", 1, 3, false, range}, {"users", 1, 4, false, Users()}};
    weapons.fields = {Whole("price", 0, 2, 1), Whole("attack", 3, 1, 2, WeaponAttackOffset),
                      CodeField(4, "range"), EquipByte(2, HumanWeaponEquipFlag)};
    out.push_back(weapons);

    out.push_back(Armour("hand_foot_armour", QT_TRANSLATE_NOOP("Tables", "手/足防具"),
                         NamedRows(List::HumanEquipment, 88, 20), 0xC0528, 4,
                         Whole("defence", 3, 1, 2, HandFootArmorDefenceFlag),
                         EquipByte(2, HandFootArmorEquipFlag)));

    // Head armour keeps the whole equip byte as its code, less 0xF0 in row 12.
    Field headEquip = CodeField(2, "users");
    headEquip.flag = HeadArmorEquipFlag;
    out.push_back(Armour("head_armour", QT_TRANSLATE_NOOP("Tables", "头防具"),
                         NamedRows(List::HumanEquipment, 48, 16), 0xC0470, 4,
                         Whole("defence", 3, 1, 2, HeadArmorDefenceFlag), headEquip));

    out.push_back(Armour("body_armour", QT_TRANSLATE_NOOP("Tables", "体防具"),
                         NamedRows(List::HumanEquipment, 64, 24), 0xC04B0, 5, Whole("defence", 3, 1, 2),
                         EquipByte(2, BodyArmorEquipFlag)));

    out.push_back(Armour("armour_pieces", QT_TRANSLATE_NOOP("Tables", "护甲"),
                         NamedRows(List::HumanEquipment, 108, 12), 0xC0578, 5, Whole("defence", 3, 1, 2),
                         EquipByte(2, ArmorEquipFlag)));
}

} // namespace dravik::rom
