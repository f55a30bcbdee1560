#include "editors/CodeRules.h"

#include "names/Names.h"

namespace dravik::editors::rules {

namespace {
using names::List;
bool IsByte(int code) { return code >= 0 && code <= 0xFF; }
bool Within(int index, int count) { return index >= 0 && index < count; }
} // namespace

int CategoryIndex(int category)
{
    return Within(category, names::Size(List::LootCategories)) ? category : kNoSelection;
}
int CategoryCode(int index, int oldCategory)
{
    return Within(index, names::Size(List::LootCategories)) ? index : oldCategory;
}

int LootIndex(int code) { return IsByte(code) ? code : kNoSelection; }

int LootCode(int category, int index, int oldCode)
{
    if (!IsByte(index))
        return oldCode;
    if (index == kEmptyCode)
        return kEmptyCode;
    const names::ListEntry loot = names::LootEntryOf(category, index);
    return loot.entry >= names::Size(loot.list) ? kEmptyCode : index; // a placeholder is none
}

} // namespace dravik::editors::rules
