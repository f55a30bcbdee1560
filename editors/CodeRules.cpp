#include "editors/CodeRules.h"

#include "rom/RowFlags.h"

namespace dravik::editors::rules {

namespace {
bool IsByte(int code) { return code >= 0 && code <= 0xFF; }
bool Within(int index, int count) { return index >= 0 && index < count; }
} // namespace

int RangeIndex(int code) { return IsByte(code) && code < 3 * 64 ? code / 64 : kNoSelection; }

int RangeCode(int weaponRow, int index, int oldCode)
{
    return Within(index, 3) ? rom::WeaponRangeLowBits(weaponRow) + 64 * index : oldCode;
}

int UsersIndex(int mask) { return mask >= 1 && mask <= 7 ? mask - 1 : kNoSelection; }
int UsersMask(int index, int oldMask) { return Within(index, 7) ? index + 1 : oldMask; }

bool IsRentalTank(int tankRow) { return tankRow >= 8; }

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
    return IsRentalTank(tankRow) ? index | 0x80 : index;
}

int ItemIndex(int code)
{
    if (code == kEmptyCode)
        return kItemEmpty;
    return Within(code, kItemEmpty + 1) ? code : kNoSelection; // 128 lands on "-----"
}

int ItemSlotCode(int index, int oldCode)
{
    if (index == kItemEmpty)
        return kEmptyCode;
    return Within(index, kItemEmpty) ? index : oldCode;
}

int EquipmentIndex(int code)
{
    if (code == kEmptyCode)
        return kEquipmentEmpty;
    return Within(code - 128, kEquipmentEmpty + 1) ? code - 128 : kNoSelection; // 248 lands on "-----"
}

int EquipmentSlotCode(int index, int oldCode)
{
    if (index == kEquipmentEmpty)
        return kEmptyCode;
    return Within(index, kEquipmentEmpty) ? index + 128 : oldCode;
}

int AttackListSize(int monsterRow) { return monsterRow < 47 ? 144 : 174; }

int AttackIndex(int monsterRow, int code)
{
    return Within(code, AttackListSize(monsterRow)) ? code : kNoSelection;
}

int AttackCode(int monsterRow, int index, int oldCode)
{
    return Within(index, AttackListSize(monsterRow)) ? index : oldCode;
}

int CategoryIndex(int category) { return Within(category, 16) ? category : kNoSelection; }
int CategoryCode(int index, int oldCategory) { return Within(index, 16) ? index : oldCategory; }
bool IsTankCategory(int category) { return category >= 8; }

int LootIndex(int code) { return IsByte(code) ? code : kNoSelection; }

int LootCode(int category, int index, int oldCode)
{
    if (!IsByte(index))
        return oldCode;
    const bool placeholder = IsTankCategory(category)
                                 ? (index >= 121 && index <= 127) || (index >= 160 && index <= 254)
                                 : index >= 120 && index <= 127;
    return placeholder ? kEmptyCode : index;
}

} // namespace dravik::editors::rules
