#pragma once
// The monster editors. Both variants share this behaviour and differ only in their attack
// lists: CMonsterDlg (rows 0 to 46, attack list B) and CMonsterDlg2 (rows 47 to 151, list A).
//
// A loot drop is a category (human or tank things) and a code. Each drop shows the code in
// two lists, human things and tank things, which always select the same position; only the
// list the category asks for is enabled. Changing the category keeps the code and changes
// only its meaning. On "确定" a placeholder entry of the category's list becomes 255 (none).
#include "editors/CRowDlg.h"

class CMonsterDlgBase : public CRowDlg {
    Q_OBJECT
public:
    enum Drop { Early = 0, Late = 1 }; // within three rounds, after three rounds

    // A category without an entry (beyond 15) opens unselected, still decides which list is
    // in use, and is kept by "确定" unless the user picks one.
    void SetDrop(Drop drop, int category, int lootCode);
    int Category(Drop drop) const { return m_categories[drop]; }
    int LootCode(Drop drop) const { return m_lootCodes[drop]; }

    QComboBox* CategoryList(Drop drop) const { return m_category[drop]; }
    QComboBox* HumanList(Drop drop) const { return m_human[drop]; }
    QComboBox* TankList(Drop drop) const { return m_tank[drop]; }

protected:
    CMonsterDlgBase(const dravik::editors::DialogLayout& layout, QWidget* parent);
    void ReadControls() override;

private:
    int ShownCategory(Drop drop) const; // the selected category, else the one given
    void FollowCategory(Drop drop);

    int m_categories[2] = {-1, -1};
    int m_lootCodes[2] = {-1, -1};
    QComboBox* m_category[2] = {};
    QComboBox* m_human[2] = {};
    QComboBox* m_tank[2] = {};
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
