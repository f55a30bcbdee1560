#pragma once
// How the row editors turn a stored code into a drop-down position when a dialog opens, and a
// chosen position back into a code on "确定". kNoSelection is a list without a selection: a
// code that has no entry opens that way, and a list left without a selection keeps the old
// code (its cell, rebuilt from the same code, stays as it was).
namespace dravik::editors::rules {

constexpr int kNoSelection = -1;
constexpr int kEmptyCode = 0xFF;

// Human weapon attack range: the top two bits of the range code (3 has no entry); the low
// six bits always come from the weapon's row (rom::WeaponRangeLowBits).
int RangeIndex(int code);
int RangeCode(int weaponRow, int index, int oldCode);

// Who can equip: mask 1 to 7 is entry mask - 1; 0 and 8 or more have no entry.
int UsersIndex(int mask);
int UsersMask(int index, int oldMask);

// Tank slots. Parts: 121 entries then "-----" at 121; items: 32 entries then "-----" at 32.
// Only the low seven bits name the thing; bit 7 is set for rental tanks (rows 8 to 21),
// decided by the row on every "确定".
constexpr int kTankPartEmpty = 121;
constexpr int kTankItemEmpty = 32;
bool IsRentalTank(int tankRow);
int TankSlotIndex(int code, int emptyIndex);
int TankSlotCode(int index, int emptyIndex, int tankRow, int oldCode);

// Character item slots: code = item index (0 to 127), "-----" at 128.
constexpr int kItemEmpty = 128;
int ItemIndex(int code);
int ItemSlotCode(int index, int oldCode);

// Character equipment slots: code = 128 + equipment index (0 to 119), "-----" at 120.
constexpr int kEquipmentEmpty = 120;
int EquipmentIndex(int code);
int EquipmentSlotCode(int index, int oldCode);

// Monster attack patterns: the code is the position in the row's attack list.
int AttackListSize(int monsterRow); // 144 (list B) for rows 0 to 46, 174 (list A) after
int AttackIndex(int monsterRow, int code);
int AttackCode(int monsterRow, int index, int oldCode);

// Loot categories 0 to 15: 0 to 7 human things, 8 to 15 tank things.
int CategoryIndex(int category);
int CategoryCode(int index, int oldCategory);
bool IsTankCategory(int category);

// Loot: the position in either 256-entry list is the code. On "确定" a placeholder entry
// ("XXXXX") of the category's list becomes 255 (none).
int LootIndex(int code);
int LootCode(int category, int index, int oldCode);

} // namespace dravik::editors::rules
