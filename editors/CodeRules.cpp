#include "editors/CodeRules.h"

#include "names/Names.h"
#include "rom/RowFlags.h"

namespace dravik::editors::rules {

namespace {
using names::List;
bool IsByte(int code) { return code >= 0 && code <= 0xFF; }
bool Within(int index, int count) { return index >= 0 && index < count; }
} // namespace

int RangeIndex(int code)
{
    return IsByte(code) && code < names::Size(List::AttackRanges) * 64 ? code / 64 : kNoSelection;
}

int RangeCode(int weaponRow, int index, int oldCode)
{
    return Within(index, names::Size(List::AttackRanges)) ? rom::WeaponRangeCode(weaponRow, index) : oldCode;
}

int UsersIndex(int mask) { return mask >= 1 && mask <= names::Size(List::Users) ? mask - 1 : kNoSelection; }
int UsersMask(int index, int oldMask)
{
    return Within(index, names::Size(List::Users)) ? index + 1 : oldMask;
}

int TankPartEmpty() { return names::Size(List::TankParts); }
int TankItemEmpty() { return names::Size(List::TankItems); }
int ItemEmpty() { return names::Size(List::Items); }
int EquipmentEmpty() { return names::Size(List::HumanEquipment); }

int TankSlotIndex(int code, int emptyIndex)
{
    if (code == kEmptyCode)
        return emptyIndex;
    // A code whose low bits fall on the "-----" entry opens there too (and becomes 255).
    return IsByte(code) && (code & 0x7F) <= emptyIndex ? code & 0x7F : kNoSelection;
}

int TankSlotCode(int index, int emptyIndex, int tankRow, int oldCode)
{
    if (index == emptyIndex)
        return kEmptyCode;
    if (!Within(index, emptyIndex))
        return oldCode;
    return rom::TankSlotCode(tankRow, index);
}

int ItemIndex(int code)
{
    if (code == kEmptyCode)
        return ItemEmpty();
    return Within(code, ItemEmpty() + 1) ? code : kNoSelection; // one past the last lands on "-----"
}

int ItemSlotCode(int index, int oldCode)
{
    if (index == ItemEmpty())
        return kEmptyCode;
    return Within(index, ItemEmpty()) ? index : oldCode;
}

int EquipmentIndex(int code)
{
    if (code == kEmptyCode)
        return EquipmentEmpty();
    const int index = code - kFirstEquipmentCode;
    return Within(index, EquipmentEmpty() + 1) ? index : kNoSelection; // one past the last lands on "-----"
}

int EquipmentSlotCode(int index, int oldCode)
{
    if (index == EquipmentEmpty())
        return kEmptyCode;
    return Within(index, EquipmentEmpty()) ? index + kFirstEquipmentCode : oldCode;
}

int AttackIndex(int monsterRow, int code)
{
    return Within(code, names::Size(names::AttackListFor(monsterRow))) ? code : kNoSelection;
}

int AttackCode(int monsterRow, int index, int oldCode)
{
    return Within(index, names::Size(names::AttackListFor(monsterRow))) ? index : oldCode;
}

int CategoryIndex(int category)
{
    return Within(category, names::Size(List::LootCategories)) ? category : kNoSelection;
}
int CategoryCode(int index, int oldCategory)
{
    return Within(index, names::Size(List::LootCategories)) ? index : oldCategory;
}

int LootIndex(int code) { return IsByte(code) ? code : kNoSelection; }

int LootCode(int category, int index, int oldCode)
{
    if (!IsByte(index))
        return oldCode;
    if (index == kEmptyCode)
        return kEmptyCode;
    const names::LootEntry loot = names::LootEntryOf(category, index);
    return loot.entry >= names::Size(loot.list) ? kEmptyCode : index; // a placeholder is none
}

} // namespace dravik::editors::rules
