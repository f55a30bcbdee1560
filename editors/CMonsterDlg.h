#pragma once
// The monster editors. Both variants share this behaviour and differ only in their attack
// lists: CMonsterDlg (rows 0 to 46, attack list B) and CMonsterDlg2 (rows 47 to 151, list A).
//
// A loot drop is a category (human or tank things) and a code. Each drop shows the code in
// two lists, human things and tank things, which always select the same position; only the
// list the category asks for is enabled. Changing the category keeps the code and changes
// only its meaning. On "确定" a placeholder entry of the category's list becomes 255 (none).
#include "editors/CRowDlg.h"

namespace dravik::editors {

class CMonsterDlgBase : public CRowDlg {
    Q_OBJECT
public:
    enum Drop { Early = 0, Late = 1 }; // within three rounds, after three rounds

    // A category without an entry (beyond 15) opens unselected, still decides which list is
    // in use, and is kept by "确定" unless the user picks one.
    void SetDrop(Drop drop, int category, int lootCode);
    int Category(Drop drop) const { return categories_[drop]; }
    int LootCode(Drop drop) const { return lootCodes_[drop]; }

    QComboBox* CategoryList(Drop drop) const { return category_[drop]; }
    QComboBox* HumanList(Drop drop) const { return human_[drop]; }
    QComboBox* TankList(Drop drop) const { return tank_[drop]; }

protected:
    CMonsterDlgBase(const DialogLayout& layout, QWidget* parent);
    void ReadControls() override;

private:
    int ShownCategory(Drop drop) const; // the selected category, else the one given
    void FollowCategory(Drop drop);

    int categories_[2] = {-1, -1};
    int lootCodes_[2] = {-1, -1};
    QComboBox* category_[2] = {};
    QComboBox* human_[2] = {};
    QComboBox* tank_[2] = {};
};

class CMonsterDlg : public CMonsterDlgBase {
    Q_OBJECT
public:
    explicit CMonsterDlg(QWidget* parent = nullptr);
};

class CMonsterDlg2 : public CMonsterDlgBase {
    Q_OBJECT
public:
    explicit CMonsterDlg2(QWidget* parent = nullptr);
};

} // namespace dravik::editors
