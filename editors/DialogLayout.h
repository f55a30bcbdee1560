#pragma once
// The row editor dialogs described as data: caption, size, and every control with its id,
// text and rectangle in dialog units. CRowDlg builds a dialog from one of these; the layouts
// themselves live in editors/DialogLayouts.cpp.
#include <string>
#include <vector>

namespace dravik::editors {

enum class DialogControlKind {
    Label,    // fixed text
    Frame,    // a group box around other controls; its text is the frame's caption
    Title,    // the row being edited (id 1005)
    Edit,     // a one-line text box, bound to a string member
    Combo,    // a pick-only drop-down list, bound to a combo index member and the code entry its key names
    DropList, // a pick-only drop-down list set and read by the dialog's own code (monster loot)
    Button,   // id 1 "确定" or 2 "取消"
};

// The entries of a list the dialog's own code sets and reads (names::Combo). A Combo's entries
// are those of the code entry its key names (rom::CodeNaming::ListTexts), set when it is bound.
enum class Entries {
    None,
    LootCategories, // 16
    HumanLoot,      // 256, position = loot code
    TankLoot,       // 256, position = loot code
};

struct DialogControl {
    DialogControlKind kind;
    int id; // 0 for labels and frames
    const char* text;
    int x, y, width, height; // dialog units
    Entries entries = Entries::None;
    // Edit: the key of the value field it edits ("price"); Combo: of the code entry ("parts[3]").
    const char* key = "";
};

// The monster editors' two loot drops (within three rounds, after): the ids of the category
// list and of the human-things and tank-things lists that always show the same position.
struct LootDropIds {
    int category, human, tank;
};
constexpr LootDropIds kLootDrops[2] = {{1029, 1030, 1031}, {1032, 1033, 1034}};

struct DialogLayout {
    const char* className;
    const char* caption;
    int width, height; // dialog units
    std::vector<DialogControl> controls;
};

enum class DialogId {
    MainCannon,    // 138
    SubCannon,     // 139
    SpecialCannon, // 140
    ControlSystem, // 141
    Engine,        // 142
    Tank,          // 143
    HumanWeapon,   // 145
    HumanArmor,    // 147
    Character,     // 149
    Monster,       // 151, attack list B
    Monster2,      // 153, attack list A
};

const DialogLayout& LayoutOf(DialogId id);

// The texts of a drop-down list, in position order, from the active name set.
std::vector<std::string> EntryTexts(Entries entries);

} // namespace dravik::editors
