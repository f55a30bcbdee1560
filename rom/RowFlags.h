#pragma once
// Row flags: constants fixed per table row that the game keeps in the high bits of a field.
// The load takes them off before showing a value, the save adds them back. Each function
// returns the flag of a 0-based row, 0 for rows it does not list (and for rows out of range).
// Every flag is kept here, as a list of rows per flag value; the table modules only name them.

namespace dravik::rom {

int MainCannonAttackFlag(int row);
int SubCannonAttackFlag(int row);
int SpecialCannonAttackFlag(int row);
int SpecialCannonWeightFlag(int row);
int ControlSystemWeightFlag(int row);
int HumanWeaponEquipFlag(int row);
int HandFootArmorEquipFlag(int row);
int BodyArmorEquipFlag(int row);
int ArmorEquipFlag(int row);
int MonsterHpFlag(int row);
int MainCannonWeightFlag(int row);
int SubCannonWeightFlag(int row);
int ControlSystemHitFlag(int row);
int EngineLoadFlag(int row);
int HeadArmorEquipFlag(int row);
int HeadArmorDefenceFlag(int row);
int HandFootArmorDefenceFlag(int row);

// Human weapons 40 to 47 store their attack less 256; as a signed "flag" of -256 the usual
// subtract-on-load / add-on-save rule gives exactly that.
int WeaponAttackOffset(int row);

// Tanks from this row on are rental tanks: bit 7 of each of their part and item slot codes is set.
constexpr int kFirstRentalTank = 8;
inline bool IsRentalTank(int tankRow) { return tankRow >= kFirstRentalTank; }
// The code a tank's part or item slot gets when a part or item is chosen for it, in the tank
// editor or by name in an import: bit 7 follows the row, whatever the old code held.
inline int TankSlotCode(int tankRow, int entry) { return IsRentalTank(tankRow) ? entry | 0x80 : entry; }

// The fixed low six bits of each human weapon's range code; the top two bits hold the range.
int WeaponRangeLowBits(int row);
// The range code a weapon gets when a range (0 单体, 1 一组, 2 全体) is chosen for it, in the row
// editor or by name in an import: the row's fixed low bits, whatever the old code held.
inline int WeaponRangeCode(int row, int range) { return WeaponRangeLowBits(row) + 64 * range; }
} // namespace dravik::rom
