// Code-to-name displays, always over the active name set (names/NameSet.h).
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

namespace {

using Entries = std::vector<std::string>;

// Entry `index` of a cell list, or UnknownCode(code) when the list has no such entry.
std::string EntryOr(List list, int index, int code)
{
    const Entries& entries = Get(list);
    if (index >= 0 && static_cast<std::size_t>(index) < entries.size())
        return entries[index];
    return UnknownCode(code);
}

} // namespace

const std::vector<std::string>& Get(List list) { return Active().Names(list); }
const std::vector<std::string>& Combo(List list) { return Active().Combo(list); }
int SlotWidth(List list) { return Info(list).slotWidth; }

int Size(List list) { return Info(list).entries; }

List AttackListFor(int monsterRow)
{
    return monsterRow < kFirstAttackListARow ? List::AttacksB : List::AttacksA;
}

bool IsTankCategory(int category) { return category >= kFirstTankCategory; }

LootEntry LootEntryOf(int category, int code)
{
    const bool tank = IsTankCategory(category);
    if (code < kLootSecondList)
        return {tank ? List::TankParts : List::HumanEquipment, code};
    return {tank ? List::TankItems : List::Items, code - kLootSecondList};
}

const std::vector<std::string>& HumanLoot() { return Active().HumanLoot(); }
const std::vector<std::string>& TankLoot() { return Active().TankLoot(); }

std::string UnknownCode(int code)
{
    char text[32];
    std::snprintf(text, sizeof text, "未知(0x%02X)", static_cast<unsigned>(code));
    return text;
}

// Codes are byte values; anything outside 0..0xFF has no entry in any list.

std::string TankPartCode(int code)
{
    if (code == 0xFF)
        return kEmpty;
    return code < 0 || code > 0xFF ? UnknownCode(code) : EntryOr(List::TankParts, code & 0x7F, code);
}

std::string TankItemCode(int code)
{
    if (code == 0xFF)
        return kEmpty;
    return code < 0 || code > 0xFF ? UnknownCode(code) : EntryOr(List::TankItems, code & 0x7F, code);
}

std::string ItemCode(int code)
{
    if (code == 0xFF)
        return kEmpty;
    return code < 0x80 ? EntryOr(List::Items, code, code) : UnknownCode(code);
}

std::string EquipmentCode(int code)
{
    if (code == 0xFF)
        return kEmpty;
    return code >= 0x80 ? EntryOr(List::HumanEquipment, code - 0x80, code) : UnknownCode(code);
}

std::string LootCode(int category, int code)
{
    if (category < 0 || code < 0 || code > 0xFF)
        return UnknownCode(code);
    if (code == 0xFF)
        return kEmpty;
    const LootEntry loot = LootEntryOf(category, code); // past the end of its list: no name
    return EntryOr(loot.list, loot.entry, code);
}

std::string AttackCode(int monsterRow, int code) { return EntryOr(AttackListFor(monsterRow), code, code); }

std::string RangeCode(int code)
{
    const Entries& ranges = Get(List::AttackRanges);
    const std::size_t i = code < 0x40 ? 0 : code < 0x80 ? 1 : 2;
    return i < ranges.size() ? ranges[i] : std::string();
}

std::string UsersMask(int mask)
{
    const Entries& users = Get(List::Users);
    if (mask < 1 || static_cast<std::size_t>(mask) > users.size())
        return {};
    return users[mask - 1];
}

} // namespace dravik::names
