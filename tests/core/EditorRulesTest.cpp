// The loot drops' rules of the monster editors, which need no dialog.
#include <gtest/gtest.h>

#include "editors/CodeRules.h"
#include "names/NameSet.h"
#include "names/Names.h"

namespace dravik::editors::rules {
namespace {

// Exactly the "XXXXX" entries of the category's list become 255; every other code is kept.
TEST(EditorCodeRules, LootPlaceholdersOfTheCategoryBecomeNone)
{
    const names::NameSet& names = names::NameSet::BuiltIn();
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(LootCode(7, code, -1), names.HumanLoot()[code] == names::kPlaceholder ? 255 : code) << code;
        EXPECT_EQ(LootCode(8, code, -1), names.TankLoot()[code] == names::kPlaceholder ? 255 : code) << code;
    }
}

} // namespace
} // namespace dravik::editors::rules
