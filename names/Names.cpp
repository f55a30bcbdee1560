// The name lists: what each list is, its size and the codes it names (the texts are a name set's,
// names/NameSet.h).
//
// The compiled-in lists come from names/data/<stem>.txt. Data files: UTF-8, one entry per line; a '\r' before
// the '\n' and a final empty line are ignored. combo_variants.txt holds "stem<TAB>index<TAB>text" lines, the
// entries whose drop-down text differs from the cell text.
//
// Placeholder texts. Only some entries of the long lists are known by their real names; every
// other entry holds a placeholder that says which block it belongs to and where:
//   - tank parts, human equipment, items, monsters: "<block title>#<index within the block>",
//     e.g. tank part 81 is "控制系统#7" (control systems start at 74), human equipment 90 is
//     "手足防具#2"; the block titles are 主炮 副炮 特殊炮 控制系统 引擎 / 人类武器 头防具 体防具
//     手足防具 护甲 / 道具 / 怪物;
//   - attack lists: the code as two upper-case hex digits (every attack name starts that way)
//     followed by "攻击A" or "攻击B", e.g. "5F攻击A".
// A placeholder fits its slot width like any real name.
#include "names/Names.h"

#include <cstdio>

#include "names/NameSet.h"

namespace dravik::names {

const char* const kEmpty = "-----";
const char* const kNone = "没有";
const char* const kPlaceholder = "XXXXX";

int SlotWidth(List list) { return Info(list).slotWidth; }

int Size(List list) { return Info(list).entries; }

List AttackListFor(int monsterRow)
{
    return monsterRow < kFirstAttackListARow ? List::AttacksB : List::AttacksA;
}

bool IsTankCategory(int category) { return category >= kFirstTankCategory; }

ListEntry LootEntryOf(int category, int code)
{
    const bool tank = IsTankCategory(category);
    if (code < kLootSecondList)
        return {tank ? List::TankParts : List::HumanEquipment, code};
    return {tank ? List::TankItems : List::Items, code - kLootSecondList};
}

std::string UnknownCode(int code)
{
    char text[32];
    std::snprintf(text, sizeof text, "未知(0x%02X)", static_cast<unsigned>(code));
    return text;
}

std::optional<int> UnknownCodeOf(const std::string& text)
{
    unsigned code = 0;
    int end = 0;
    if (std::sscanf(text.c_str(), "未知(0x%2X)%n", &code, &end) != 1 || end != static_cast<int>(text.size()))
        return std::nullopt;
    return UnknownCode(static_cast<int>(code)) == text ? std::optional(static_cast<int>(code)) : std::nullopt;
}

} // namespace dravik::names
