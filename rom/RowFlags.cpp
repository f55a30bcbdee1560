#include "rom/RowFlags.h"

#include <initializer_list>
#include <map>

namespace dravik::rom {

namespace {
struct Rows {
    std::initializer_list<int> rows;
    int flag;
};

class FlagTable {
public:
    FlagTable(std::initializer_list<Rows> entries)
    {
        for (const Rows& e : entries)
            for (int row : e.rows)
                flags_[row] = e.flag;
    }
    int operator()(int row) const
    {
        const auto it = flags_.find(row);
        return it == flags_.end() ? 0 : it->second;
    }

private:
    std::map<int, int> flags_;
};

} // namespace

int MainCannonAttackFlag(int row)
{
    static const FlagTable t{{{0, 1, 20}, 0x0400}, {{3}, 0x6000},      {{13, 31}, 0x1000},
                             {{18}, 0x8400},       {{22, 29}, 0x1400}, {{25}, 0x2400},
                             {{26}, 0x4400},       {{27, 28}, 0x8000}, {{30}, 0x4000}};
    return t(row);
}

int SubCannonAttackFlag(int row)
{
    static const FlagTable t{{{1, 11, 13, 21}, 0x0400}, {{4}, 0x0800}, {{14}, 0x8400}, {{19, 20}, 0x4400}};
    return t(row);
}

int SpecialCannonAttackFlag(int row)
{
    static const FlagTable t{{{3}, 0x4800}, {{7}, 0x8800}, {{9}, 0xC400}, {{12, 18}, 0x4400}, {{19}, 0x8000}};
    return t(row);
}

int SpecialCannonWeightFlag(int row)
{
    static const FlagTable t{{{4, 5, 16}, 0x4000}, {{13}, 0x2000}, {{15, 17}, 0x6000}};
    return t(row);
}

int ControlSystemWeightFlag(int row)
{
    static const FlagTable t{{{1}, 0x6000},  {{2, 3, 5, 6}, 0x4000},
                             {{4}, 0x8000},  {{7, 8, 9}, 0xC000},
                             {{10}, 0xA000}, {{11, 12, 13, 14, 15, 16, 17, 18, 19}, 0x2000}};
    return t(row);
}

int HumanWeaponEquipFlag(int row)
{
    static const FlagTable t{{{0, 2, 14}, 0x20}, {{1, 28}, 0x30},
                             {{4}, 0x40},        {{10, 19, 40, 41, 42, 43, 44, 45, 46, 47}, 0xA0},
                             {{16}, 0xE0},       {{20}, 0xC0},
                             {{25, 36}, 0x50},   {{29}, 0x80},
                             {{32}, 0xF0}};
    return t(row);
}

int HandFootArmorEquipFlag(int row)
{
    static const FlagTable t{{{2, 12}, 0x50}, {{4}, 0x30}, {{5, 10, 16}, 0x80},
                             {{6, 13}, 0x40}, {{7}, 0xE0}, {{8, 18}, 0xA0}};
    return t(row);
}

int BodyArmorEquipFlag(int row)
{
    static const FlagTable t{{{0, 1, 2, 3, 4, 7, 8, 9, 11, 12, 13, 15, 17, 18, 20, 21, 22, 23}, 0x10},
                             {{5}, 0x30},
                             {{6}, 0xB0},
                             {{10}, 0x70},
                             {{14}, 0x50},
                             {{16}, 0xF0},
                             {{19}, 0x40}};
    return t(row);
}

int ArmorEquipFlag(int row)
{
    static const FlagTable t{
        {{1, 3, 5}, 0x50}, {{2, 4}, 0x60}, {{6, 7, 9, 10}, 0x70}, {{8}, 0xC0}, {{11}, 0x80}};
    return t(row);
}

int MonsterHpFlag(int row)
{
    static const FlagTable t{
        {{0, 4}, 0x9000},
        {{1, 6, 28, 120}, 0x8000},
        {{2, 3, 5, 8, 12, 29, 33, 42, 85, 104, 114}, 0x7000},
        {{7,  10, 11, 15, 16, 20, 21,  26,  27,  37,  38,  39,  45,  49,  55,  69,  72,  74,  75,  77, 81,
          82, 84, 86, 87, 92, 98, 107, 111, 112, 113, 115, 116, 118, 125, 135, 140, 142, 144, 146, 150},
         0x5000},
        {{9, 17, 47, 134, 137, 138}, 0x4000},
        {{19, 30, 46, 54, 59, 60, 68, 70, 76, 90, 94, 99, 106, 110, 121, 124}, 0x3000},
        {{13, 31, 52, 57, 58, 62, 80, 88, 89, 108, 119, 122, 123, 130, 133, 143, 148}, 0x2000},
        {{50, 64, 93, 149, 151}, 0x1000}};
    return t(row);
}

int MainCannonWeightFlag(int row)
{
    static const FlagTable t{{{30}, 0x4000}, {{31}, 0x6000}};
    return t(row);
}

int SubCannonWeightFlag(int row)
{
    static const FlagTable t{{{15}, 0x4000}, {{16, 17}, 0x2000}, {{21}, 0x6000}};
    return t(row);
}

int ControlSystemHitFlag(int row)
{
    static const FlagTable t{{{3, 6, 8, 9, 12, 13, 15, 17, 18, 19}, 0x80}};
    return t(row);
}

int EngineLoadFlag(int row)
{
    static const FlagTable t{{{21, 22, 23}, 0x8000}, {{24, 25, 26}, 0x4000}};
    return t(row);
}

int HeadArmorEquipFlag(int row) { return row == 12 ? 0xF0 : 0; }

int HeadArmorDefenceFlag(int row)
{
    static const FlagTable t{{{2}, 0xC0}, {{4, 10, 14}, 0x40}, {{5, 12}, 0x80}};
    return t(row);
}

int HandFootArmorDefenceFlag(int row)
{
    static const FlagTable t{{{2}, 0x80}, {{4}, 0x40}, {{5, 7}, 0xC0}};
    return t(row);
}

int WeaponAttackOffset(int row) { return row >= 40 && row <= 47 ? -256 : 0; }

} // namespace dravik::rom

namespace dravik::rom {
int WeaponRangeLowBits(int row)
{
    static const FlagTable t{
        {{9, 21, 24, 31}, 16}, {{10, 30, 36}, 8}, {{15, 27, 37}, 24}, {{17}, 32}, {{28}, 40}};
    return t(row);
}
} // namespace dravik::rom
