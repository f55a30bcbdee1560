#pragma once
// The row editor dialogs described as data: caption, size, and every control with its id,
// text and rectangle in dialog units. CRowDlg builds a dialog from one of these; the layouts
// themselves live in editors/DialogLayouts.cpp.
#include <string>
#include <vector>

#include "names/NameSet.h"

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
// list and of the human-things and tank-things lists that always show the same position, and
// the code array of the drop (whose naming names its category's array).
struct LootDropIds {
    int category, human, tank;
    const char* loot;
};
constexpr LootDropIds kLootDrops[2] = {{1029, 1030, 1031, "early_loot"}, {1032, 1033, 1034, "late_loot"}};

// One row editor, described whole: the tables whose rows it edits, its caption and size, and
// its controls, each bound by key to a value field or code entry of the row. A layout with the
// loot drop lists (kLootDrops) gets the monster editors' loot behaviour (editors/LootDrops.h).
struct DialogLayout {
    const char* id; // the dialog's object name, stable for tests and screenshots
    std::vector<const char*> tables;
    const char* caption;
    int width, height; // dialog units
    std::vector<DialogControl> controls;
};

// The row editor of a table, nullptr for a table without one.
const DialogLayout* RowEditorLayout(const std::string& tableId);

// The texts of a drop-down list, in position order, from `names`.
std::vector<std::string> EntryTexts(Entries entries, const names::NameSet& names);

} // namespace dravik::editors
