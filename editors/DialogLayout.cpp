#include "editors/DialogLayout.h"

#include "names/NameSet.h"

namespace dravik::editors {

std::vector<std::string> EntryTexts(Entries entries, const names::NameSet& names)
{
    // Built from the document's name set each time a dialog is made: never kept, so a switch of
    // names reaches the next dialog.
    switch (entries) {
    case Entries::None: return {};
    case Entries::LootCategories: return names.Combo(names::List::LootCategories);
    case Entries::HumanLoot: return names.HumanLoot();
    case Entries::TankLoot: return names.TankLoot();
    }
    return {};
}

} // namespace dravik::editors
