#pragma once
// The game's built-in name lists. A position in a list is the game's code for that thing.
// The texts live in names/data/*.txt (UTF-8, one entry per line) and are compiled in.
#include <optional>
#include <string>
#include <vector>

namespace dravik::names {

enum class List {
    TankParts,      // 121: main cannons 0-31, sub 32-53, special 54-73, control 74-93, engines 94-120
    TankItems,      // 32
    HumanEquipment, // 120: weapons 0-47, head 48-63, body 64-87, hand/foot 88-107, armour pieces 108-119
    Items,          // 128
    Monsters,       // 152
    AttacksA,       // 174, monsters 47-151
    AttacksB,       // 144, monsters 0-46
    SpecialShells,  // 15
    Tanks,          // 22
    Characters,     // 3
    Snacks,         // 8
    Decorations,    // 13
    Drinks,         // 16
    LootCategories, // 16
    AttackRanges,   // 3
    Users,          // 7: who-can-equip texts, index = mask - 1
};

extern const char* const kEmpty;       // "-----": the empty slot code 0xFF
extern const char* const kNone;        // "没有": loot code 0xFF in the editors' lists
extern const char* const kPlaceholder; // "XXXXX": a code with no thing behind it

// How many codes a list names (its compiled-in length; a name set never changes it).
int Size(List list);

// Monsters before this row use attack list B, the rest attack list A.
constexpr int kFirstAttackListARow = 47;
List AttackListFor(int monsterRow);

// Loot: categories 0 to 7 drop human things, 8 to 15 tank things. Below 0x80 a loot code names
// human equipment or a tank part, from 0x80 on an item or a tank item; 0xFF is none. An entry
// past the end of its list is a placeholder with no thing behind it.
constexpr int kFirstTankCategory = 8;
constexpr int kLootSecondList = 0x80;
bool IsTankCategory(int category);
// An entry of a name list: what a code names.
struct ListEntry {
    List list;
    int entry;
    bool operator==(const ListEntry& o) const { return list == o.list && entry == o.entry; }
};
ListEntry LootEntryOf(int category, int code); // code 0 to 0xFE

// Slot width in GBK bytes of the lists kept in fixed-width slots; 0 for the fixed label lists.
int SlotWidth(List list);

// The text of a code that names nothing: "未知(0x..)". (Which code names what is declared
// with each table's code arrays, rom/Layout.h.)
std::string UnknownCode(int code);
// The code an UnknownCode text shows; nullopt for any other text.
std::optional<int> UnknownCodeOf(const std::string& text);

} // namespace dravik::names
