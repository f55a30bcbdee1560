#include "names/NameSet.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtGlobal>
#include <map>

namespace dravik::names::data {
const std::map<std::string, std::string>& Files(); // generated from names/data
}

namespace dravik::names {

namespace {

using Entries = std::vector<std::string>;

const std::vector<ListInfo> kLists = {
    {List::TankParts, "tank_parts.txt",
     QT_TRANSLATE_NOOP("Names",
                       "战车装备 (主炮 0-31, 副炮 32-53, 特殊炮 54-73, 控制系统 74-93, 引擎 94-120)"),
     121, 20},
    {List::TankItems, "tank_items.txt", QT_TRANSLATE_NOOP("Names", "战车道具"), 32, 13},
    {List::HumanEquipment, "human_equipment.txt",
     QT_TRANSLATE_NOOP("Names",
                       "人类装备 (武器 0-47, 头防具 48-63, 体防具 64-87, 手足防具 88-107, 护甲 108-119)"),
     120, 15},
    {List::Items, "items.txt", QT_TRANSLATE_NOOP("Names", "道具"), 128, 15},
    {List::Monsters, "monsters.txt", QT_TRANSLATE_NOOP("Names", "怪物 (0-15 也是赏金首)"), 152, 15},
    {List::AttacksA, "attacks_a.txt", QT_TRANSLATE_NOOP("Names", "攻击方式 A (怪物 47-151)"), 174, 30},
    {List::AttacksB, "attacks_b.txt", QT_TRANSLATE_NOOP("Names", "攻击方式 B (怪物 0-46)"), 144, 30},
    {List::SpecialShells, "shell_names.txt", QT_TRANSLATE_NOOP("Names", "特殊炮弹"), 15, 0},
    {List::Tanks, "tanks.txt", QT_TRANSLATE_NOOP("Names", "战车"), 22, 0},
    {List::Characters, "characters.txt", QT_TRANSLATE_NOOP("Names", "人物"), 3, 0},
    {List::Snacks, "snacks.txt", QT_TRANSLATE_NOOP("Names", "小吃"), 8, 0},
    {List::Decorations, "decorations.txt", QT_TRANSLATE_NOOP("Names", "装饰品"), 13, 0},
    {List::Drinks, "drinks.txt", QT_TRANSLATE_NOOP("Names", "饮料"), 16, 0},
    {List::LootCategories, "loot_categories.txt", QT_TRANSLATE_NOOP("Names", "战利品类别"), 16, 0},
    {List::AttackRanges, "attack_ranges.txt", QT_TRANSLATE_NOOP("Names", "攻击范围"), 3, 0},
    {List::Users, "users.txt", QT_TRANSLATE_NOOP("Names", "装备的人 (掩码 1-7)"), 7, 0},
};

std::size_t Index(List list) { return static_cast<std::size_t>(list); }

const std::string& BuiltInText(const std::string& stem)
{
    static const std::string missing;
    const auto& files = data::Files();
    const auto it = files.find(stem);
    return it == files.end() ? missing : it->second;
}

std::string Stem(const char* file)
{
    const std::string name = file;
    return name.substr(0, name.rfind('.'));
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

} // namespace

struct NameSetBuilder {
    static NameSet BuiltIn()
    {
        NameSet set;
        for (const ListInfo& info : kLists) {
            set.names_.push_back(NameFileLines(BuiltInText(Stem(info.file))));
            set.combos_.push_back(set.names_.back());
        }
        // "stem<TAB>index<TAB>text": the drop-down entries whose text differs from the cell's.
        for (const std::string& line : NameFileLines(BuiltInText("combo_variants"))) {
            const std::size_t tab1 = line.find('\t');
            const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
            if (tab2 == std::string::npos)
                continue;
            const std::string stem = line.substr(0, tab1);
            const std::string index = line.substr(tab1 + 1, tab2 - tab1 - 1);
            if (index.empty() || index.size() > 4 ||
                index.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const std::size_t n = std::stoul(index);
            for (std::size_t i = 0; i < kLists.size(); ++i)
                if (stem == Stem(kLists[i].file) && n < set.combos_[i].size())
                    set.combos_[i][n] = line.substr(tab2 + 1);
        }
        set.BuildLoot();
        return set;
    }
};

std::vector<std::string> NameFileLines(const std::string& text)
{
    std::vector<std::string> lines;
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

const std::vector<ListInfo>& AllLists() { return kLists; }

const ListInfo& Info(List list) { return kLists.at(Index(list)); }

const ListInfo* FindListFile(const std::string& fileName)
{
    for (const ListInfo& info : kLists)
        if (fileName == info.file)
            return &info;
    return nullptr;
}

int GbkLength(const std::string& utf8)
{
    QStringEncoder gbk("GBK");
    if (!gbk.isValid())
        return -1;
    // A leading U+FEFF is a character of the name here, not a marker to drop: GBK has no code
    // for it, and a name that began with one would lose it in an exported file.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QByteArray bytes = gbk.encode(decoder(QByteArray::fromStdString(utf8)));
    return gbk.hasError() ? -1 : static_cast<int>(bytes.size());
}

const NameSet& NameSet::BuiltIn()
{
    static const NameSet set = NameSetBuilder::BuiltIn();
    return set;
}

NameSetPtr NameSet::BuiltInPtr()
{
    // Shares the static set without owning it.
    static const NameSetPtr set(std::shared_ptr<const NameSet>(), &BuiltIn());
    return set;
}

const std::vector<std::string>& NameSet::Names(List list) const
{
    static const Entries none;
    return Index(list) < names_.size() ? names_[Index(list)] : none;
}

const std::vector<std::string>& NameSet::Combo(List list) const
{
    static const Entries none;
    return Index(list) < combos_.size() ? combos_[Index(list)] : none;
}

NameSet NameSet::WithUserEntries(std::vector<Entry> entries, std::string folder)
{
    NameSet set = BuiltIn();
    for (Entry& e : entries) {
        const std::size_t code = static_cast<std::size_t>(e.code);
        set.names_[Index(e.list)][code] = e.text;
        // A template exported and loaded back unchanged must not change the drop-downs,
        // whose few texts differ from the cells' on purpose.
        if (e.text != BuiltIn().Names(e.list)[code])
            set.combos_[Index(e.list)][code] = e.text;
        set.user_.push_back(std::move(e));
    }
    set.folder_ = std::move(folder);
    set.BuildLoot();
    return set;
}

void NameSet::BuildLoot()
{
    humanLoot_ = LootList(Combo(List::HumanEquipment), Combo(List::Items));
    tankLoot_ = LootList(Combo(List::TankParts), Combo(List::TankItems));
}

const std::vector<ListEntry>& NameSet::EntriesNamed(const std::string& name) const
{
    ByName::Index& index = *byName_.index;
    std::call_once(index.made, [this, &index] {
        for (const ListInfo& info : kLists) {
            const Entries& all = Names(info.list);
            for (std::size_t i = 0; i < all.size() && i < static_cast<std::size_t>(info.entries); ++i)
                index.entries[all[i]].push_back({info.list, static_cast<int>(i)});
        }
    });
    static const std::vector<ListEntry> none;
    const auto it = index.entries.find(name);
    return it == index.entries.end() ? none : it->second;
}

} // namespace dravik::names
