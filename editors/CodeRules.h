#pragma once
// How the monster editors' loot drops turn a stored code into a drop-down position when a
// dialog opens, and a chosen position back into a code on "确定". (Every other list of the row
// editors follows its code entry's naming, rom::CodeNaming::ListIndex and CodeForIndex.)
// kNoSelection is a list without a selection: a code that has no entry opens that way, and a
// list left without a selection keeps the old code (its cell, rebuilt from the same code, stays
// as it was).
namespace dravik::editors::rules {

constexpr int kNoSelection = -1;
constexpr int kEmptyCode = 0xFF;

// Loot categories: human or tank things (names::IsTankCategory).
int CategoryIndex(int category);
int CategoryCode(int index, int oldCategory);

// Loot: the position in either 256-entry list is the code. On "确定" a placeholder entry
// (names::LootEntryOf past the end of its list) of the category's list becomes 255 (none).
int LootIndex(int code);
int LootCode(int category, int index, int oldCode);

} // namespace dravik::editors::rules
