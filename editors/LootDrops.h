#pragma once
// The monster editors' two loot drops (within three rounds, after three rounds), the one part of
// a row editor with behaviour of its own. A dialog whose layout holds the drop lists
// (kLootDrops) has one of these.
//
// A loot drop is a category (human or tank things) and a code. Each drop shows the code in
// two lists, human things and tank things, which always select the same position; only the
// list the category asks for is enabled. Changing the category keeps the code and changes
// only its meaning. On "确定" a placeholder entry of the category's list becomes 255 (none).
#include <functional>

class QComboBox;
class QWidget;

namespace dravik::editors {

class LootDrops {
public:
    enum Drop { Early = 0, Late = 1 }; // within three rounds, after three rounds

    // `list` gives the dialog's lists by the ids of kLootDrops; they come after `tabAfter` in
    // the tab order.
    LootDrops(QWidget* dialog, const std::function<QComboBox*(int id)>& list, QWidget* tabAfter);
    ~LootDrops();
    LootDrops(const LootDrops&) = delete;
    LootDrops& operator=(const LootDrops&) = delete;

    // A category without an entry (beyond 15) opens unselected, still decides which list is
    // in use, and is kept by "确定" unless the user picks one.
    void Set(Drop drop, int category, int lootCode);
    int Category(Drop drop) const { return categories_[drop]; }
    int LootCode(Drop drop) const { return lootCodes_[drop]; }
    void Read(); // as "确定" reads the lists

    QComboBox* CategoryList(Drop drop) const { return category_[drop]; }
    QComboBox* HumanList(Drop drop) const { return human_[drop]; }
    QComboBox* TankList(Drop drop) const { return tank_[drop]; }

private:
    int ShownCategory(Drop drop) const; // the selected category, else the one given
    void FollowCategory(Drop drop);

    QWidget* dialog_;
    int categories_[2] = {-1, -1};
    int lootCodes_[2] = {-1, -1};
    QComboBox* category_[2] = {};
    QComboBox* human_[2] = {};
    QComboBox* tank_[2] = {};
};

} // namespace dravik::editors
