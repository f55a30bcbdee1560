#include "editors/CMonsterDlg.h"

#include <QComboBox>

#include "editors/CodeRules.h"
#include "names/Names.h"

namespace dravik::editors {

CMonsterDlgBase::CMonsterDlgBase(const DialogLayout& layout, QWidget* parent) : CRowDlg(layout, parent)
{
    for (Drop drop : {Early, Late}) {
        const LootDropIds& ids = kLootDrops[drop];
        category_[drop] = ComboById(ids.category);
        human_[drop] = ComboById(ids.human);
        tank_[drop] = ComboById(ids.tank);
        connect(category_[drop], &QComboBox::currentIndexChanged, this,
                [this, drop] { FollowCategory(drop); });
        // The disabled list follows the enabled one.
        QComboBox* human = human_[drop];
        QComboBox* tank = tank_[drop];
        connect(human, &QComboBox::currentIndexChanged, tank, [tank](int i) { tank->setCurrentIndex(i); });
        connect(tank, &QComboBox::currentIndexChanged, human, [human](int i) { human->setCurrentIndex(i); });
        FollowCategory(drop);
    }
    // Tab order: the lists of each drop after the attack patterns.
    QWidget* previous = ComboById(1028);
    for (Drop drop : {Early, Late})
        for (QWidget* w : {static_cast<QWidget*>(category_[drop]), static_cast<QWidget*>(human_[drop]),
                           static_cast<QWidget*>(tank_[drop])}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
}

void CMonsterDlgBase::SetDrop(Drop drop, int category, int lootCode)
{
    categories_[drop] = category;
    lootCodes_[drop] = lootCode;
    category_[drop]->setCurrentIndex(rules::CategoryIndex(category));
    human_[drop]->setCurrentIndex(rules::LootIndex(lootCode));
    tank_[drop]->setCurrentIndex(rules::LootIndex(lootCode));
    FollowCategory(drop);
}

int CMonsterDlgBase::ShownCategory(Drop drop) const
{
    return rules::CategoryCode(category_[drop]->currentIndex(), categories_[drop]);
}

void CMonsterDlgBase::FollowCategory(Drop drop)
{
    const bool tank = names::IsTankCategory(ShownCategory(drop));
    human_[drop]->setEnabled(!tank);
    tank_[drop]->setEnabled(tank);
}

void CMonsterDlgBase::ReadControls()
{
    CRowDlg::ReadControls();
    for (Drop drop : {Early, Late}) {
        const int category = ShownCategory(drop);
        QComboBox* list = names::IsTankCategory(category) ? tank_[drop] : human_[drop];
        lootCodes_[drop] = rules::LootCode(category, list->currentIndex(), lootCodes_[drop]);
        categories_[drop] = category;
    }
}

CMonsterDlg::CMonsterDlg(QWidget* parent) : CMonsterDlgBase(LayoutOf(DialogId::Monster), parent) {}

CMonsterDlg2::CMonsterDlg2(QWidget* parent) : CMonsterDlgBase(LayoutOf(DialogId::Monster2), parent) {}

} // namespace dravik::editors
