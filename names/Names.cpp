// The name lists, parsed once from the compiled-in data files (names/data/<stem>.txt).
//
// Data files: UTF-8, one entry per line; a '\r' before the '\n' and a final empty line are
// ignored. combo_variants.txt holds "stem<TAB>index<TAB>text" lines, the entries whose
// drop-down text differs from the cell text.
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

#include <array>
#include <cstdio>
#include <map>

namespace dravik::names::data {
const std::map<std::string, std::string>& Files(); // generated from names/data
}

namespace dravik::names {

const char* const kEmpty = "-----";
const char* const kNone = "没有";
const char* const kPlaceholder = "XXXXX";

namespace {

using Entries = std::vector<std::string>;

struct ListInfo {
    List list;
    const char* stem;
    int slotWidth;
};

// In the order of the List enum.
constexpr ListInfo kLists[] = {
    {List::TankParts, "tank_parts", 20},
    {List::TankItems, "tank_items", 13},
    {List::HumanEquipment, "human_equipment", 15},
    {List::Items, "items", 15},
    {List::Monsters, "monsters", 15},
    {List::AttacksA, "attacks_a", 30},
    {List::AttacksB, "attacks_b", 30},
    {List::SpecialShells, "shell_names", 0},
    {List::Tanks, "tanks", 0},
    {List::Characters, "characters", 0},
    {List::Snacks, "snacks", 0},
    {List::Decorations, "decorations", 0},
    {List::Drinks, "drinks", 0},
    {List::LootCategories, "loot_categories", 0},
    {List::AttackRanges, "attack_ranges", 0},
    {List::Users, "users", 0},
};
constexpr int kListCount = static_cast<int>(sizeof(kLists) / sizeof(kLists[0]));

int IndexOf(List list)
{
    const int i = static_cast<int>(list);
    return i >= 0 && i < kListCount && kLists[i].list == list ? i : -1;
}

Entries SplitLines(const std::string& text)
{
    Entries lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!(last && line.empty()))
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

const std::string& FileText(const char* stem)
{
    static const std::string missing;
    const auto& files = data::Files();
    const auto it = files.find(stem);
    return it == files.end() ? missing : it->second;
}

// Fills a 256-entry loot list: kPlaceholder everywhere, `low` from code 0 and `high` from
// code 0x80 (each cut off where the next range starts), kNone at 0xFF.
Entries LootList(const Entries& low, const Entries& high)
{
    Entries loot(256, kPlaceholder);
    for (std::size_t i = 0; i < low.size() && i < 0x80; ++i)
        loot[i] = low[i];
    for (std::size_t i = 0; i < high.size() && 0x80 + i < 0xFF; ++i)
        loot[0x80 + i] = high[i];
    loot[0xFF] = kNone;
    return loot;
}

struct Tables {
    std::array<Entries, kListCount> names;
    std::array<Entries, kListCount> combos;
    Entries humanLoot;
    Entries tankLoot;

    Tables()
    {
        for (int i = 0; i < kListCount; ++i) {
            names[i] = SplitLines(FileText(kLists[i].stem));
            combos[i] = names[i];
        }
        for (const std::string& line : SplitLines(FileText("combo_variants"))) {
            const std::size_t tab1 = line.find('\t');
            const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
            if (tab2 == std::string::npos)
                continue;
            const std::string stem = line.substr(0, tab1);
            const std::string index = line.substr(tab1 + 1, tab2 - tab1 - 1);
            if (index.empty() || index.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const std::size_t n = std::stoul(index);
            for (int i = 0; i < kListCount; ++i) {
                if (stem == kLists[i].stem && n < combos[i].size())
                    combos[i][n] = line.substr(tab2 + 1);
            }
        }
        humanLoot = LootList(combos[IndexOf(List::HumanEquipment)], combos[IndexOf(List::Items)]);
        tankLoot = LootList(combos[IndexOf(List::TankParts)], combos[IndexOf(List::TankItems)]);
    }
};

const Tables& T()
{
    static const Tables tables;
    return tables;
}

// Entry `index` of a cell list, or UnknownCode(code) when the list has no such entry.
std::string EntryOr(List list, int index, int code)
{
    const Entries& entries = Get(list);
    if (index >= 0 && static_cast<std::size_t>(index) < entries.size())
        return entries[index];
    return UnknownCode(code);
}

} // namespace

const std::vector<std::string>& Get(List list)
{
    static const Entries none;
    const int i = IndexOf(list);
    return i < 0 ? none : T().names[i];
}

const std::vector<std::string>& Combo(List list)
{
    static const Entries none;
    const int i = IndexOf(list);
    return i < 0 ? none : T().combos[i];
}

int SlotWidth(List list)
{
    const int i = IndexOf(list);
    return i < 0 ? 0 : kLists[i].slotWidth;
}

const std::vector<std::string>& HumanLoot() { return T().humanLoot; }
const std::vector<std::string>& TankLoot() { return T().tankLoot; }

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
    // Below 0x80 the code names equipment (human) or a part (tank), from 0x80 an item or a
    // tank item; codes past the end of either list have no name.
    const bool tank = category >= 8;
    if (code < 0x80)
        return EntryOr(tank ? List::TankParts : List::HumanEquipment, code, code);
    return EntryOr(tank ? List::TankItems : List::Items, code - 0x80, code);
}

std::string AttackCode(int monsterRow, int code)
{
    return EntryOr(monsterRow < 47 ? List::AttacksB : List::AttacksA, code, code);
}

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
