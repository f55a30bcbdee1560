#include "editors/DialogLayout.h"

#include "names/Names.h"

namespace dravik::editors {

namespace {
using names::List;

std::vector<std::string> WithEmpty(List list)
{
    std::vector<std::string> entries = names::Combo(list);
    entries.push_back(names::kEmpty);
    return entries;
}
} // namespace

const std::vector<std::string>& EntryTexts(Entries entries)
{
    static const std::vector<std::string> none;
    static const std::vector<std::string> tankParts = WithEmpty(List::TankParts);
    static const std::vector<std::string> tankItems = WithEmpty(List::TankItems);
    static const std::vector<std::string> items = WithEmpty(List::Items);
    static const std::vector<std::string> equipment = WithEmpty(List::HumanEquipment);
    switch (entries) {
    case Entries::None: return none;
    case Entries::AttackRanges: return names::Combo(List::AttackRanges);
    case Entries::Users: return names::Combo(List::Users);
    case Entries::TankPartSlot: return tankParts;
    case Entries::TankItemSlot: return tankItems;
    case Entries::ItemSlot: return items;
    case Entries::EquipmentSlot: return equipment;
    case Entries::AttacksB: return names::Combo(List::AttacksB);
    case Entries::AttacksA: return names::Combo(List::AttacksA);
    case Entries::LootCategories: return names::Combo(List::LootCategories);
    case Entries::HumanLoot: return names::HumanLoot();
    case Entries::TankLoot: return names::TankLoot();
    }
    return none;
}

} // namespace dravik::editors
