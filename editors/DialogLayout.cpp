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

std::vector<std::string> EntryTexts(Entries entries)
{
    // Built from the active name set each time a dialog is made: never kept, so a switch of
    // names reaches the next dialog.
    switch (entries) {
    case Entries::None: return {};
    case Entries::AttackRanges: return names::Combo(List::AttackRanges);
    case Entries::Users: return names::Combo(List::Users);
    case Entries::TankPartSlot: return WithEmpty(List::TankParts);
    case Entries::TankItemSlot: return WithEmpty(List::TankItems);
    case Entries::ItemSlot: return WithEmpty(List::Items);
    case Entries::EquipmentSlot: return WithEmpty(List::HumanEquipment);
    case Entries::AttacksB: return names::Combo(List::AttacksB);
    case Entries::AttacksA: return names::Combo(List::AttacksA);
    case Entries::LootCategories: return names::Combo(List::LootCategories);
    case Entries::HumanLoot: return names::HumanLoot();
    case Entries::TankLoot: return names::TankLoot();
    }
    return {};
}

} // namespace dravik::editors
