#pragma once
// How the row editors turn a stored code into a drop-down position when a dialog opens, and a
// chosen position back into a code on "确定". kNoSelection is a list without a selection: a
// code that has no entry opens that way, and a list left without a selection keeps the old
// code (its cell, rebuilt from the same code, stays as it was).
namespace dravik::editors::rules {

constexpr int kNoSelection = -1;
constexpr int kEmptyCode = 0xFF;

// The list sizes come from the name lists themselves (names::Size).

// Human weapon attack range: the top two bits of the range code (3 has no entry); the low
// six bits always come from the weapon's row (rom::WeaponRangeLowBits).
int RangeIndex(int code);
int RangeCode(int weaponRow, int index, int oldCode);

// Who can equip: mask 1 to 7 is entry mask - 1; 0 and 8 or more have no entry.
int UsersIndex(int mask);
int UsersMask(int index, int oldMask);

// Tank slots: the tank part or tank item list, then "-----" at the list's size (the empty
// index). Only the low seven bits name the thing; bit 7 is set for rental tanks
// (rom::IsRentalTank), decided by the row on every "确定".
int TankPartEmpty();
int TankItemEmpty();
int TankSlotIndex(int code, int emptyIndex);
int TankSlotCode(int index, int emptyIndex, int tankRow, int oldCode);

// Character item slots: code = item index, "-----" after the last item.
int ItemEmpty();
int ItemIndex(int code);
int ItemSlotCode(int index, int oldCode);

// Character equipment slots: code = 128 + equipment index, "-----" after the last one.
constexpr int kFirstEquipmentCode = 128;
int EquipmentEmpty();
int EquipmentIndex(int code);
int EquipmentSlotCode(int index, int oldCode);

// Monster attack patterns: the code is the position in the row's attack list
// (names::AttackListFor).
int AttackIndex(int monsterRow, int code);
int AttackCode(int monsterRow, int index, int oldCode);

// Loot categories: human or tank things (names::IsTankCategory).
int CategoryIndex(int category);
int CategoryCode(int index, int oldCategory);

// Loot: the position in either 256-entry list is the code. On "确定" a placeholder entry
// (names::LootEntryOf past the end of its list) of the category's list becomes 255 (none).
int LootIndex(int code);
int LootCode(int category, int index, int oldCode);

} // namespace dravik::editors::rules
