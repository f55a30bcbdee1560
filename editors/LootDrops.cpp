#include "editors/LootDrops.h"

#include <QComboBox>

#include "editors/CodeRules.h"
#include "editors/DialogLayout.h"
#include "names/Names.h"

namespace dravik::editors {

LootDrops::LootDrops(QWidget* dialog, const std::function<QComboBox*(int id)>& list, QWidget* tabAfter)
    : dialog_(dialog)
{
    QWidget* previous = tabAfter;
    for (Drop drop : {Early, Late}) {
        const LootDropIds& ids = kLootDrops[drop];
        category_[drop] = list(ids.category);
        human_[drop] = list(ids.human);
        tank_[drop] = list(ids.tank);
        QObject::connect(category_[drop], &QComboBox::currentIndexChanged, dialog,
                         [this, drop] { FollowCategory(drop); });
        // The disabled list follows the enabled one.
        QComboBox* human = human_[drop];
        QComboBox* tank = tank_[drop];
        QObject::connect(human, &QComboBox::currentIndexChanged, tank,
                         [tank](int i) { tank->setCurrentIndex(i); });
        QObject::connect(tank, &QComboBox::currentIndexChanged, human,
                         [human](int i) { human->setCurrentIndex(i); });
        FollowCategory(drop);
        // Tab order: the lists of each drop after the dialog's other controls.
        for (QWidget* w : {static_cast<QWidget*>(category_[drop]), static_cast<QWidget*>(human),
                           static_cast<QWidget*>(tank)}) {
            if (previous)
                QWidget::setTabOrder(previous, w);
            previous = w;
        }
    }
}

LootDrops::~LootDrops()
{
    // The dialog outlives this, its lists too: they must not call back into it.
    for (Drop drop : {Early, Late})
        QObject::disconnect(category_[drop], nullptr, dialog_, nullptr);
}

void LootDrops::Set(Drop drop, int category, int lootCode)
{
    categories_[drop] = category;
    lootCodes_[drop] = lootCode;
    category_[drop]->setCurrentIndex(rules::CategoryIndex(category));
    human_[drop]->setCurrentIndex(rules::LootIndex(lootCode));
    tank_[drop]->setCurrentIndex(rules::LootIndex(lootCode));
    FollowCategory(drop);
}

int LootDrops::ShownCategory(Drop drop) const
{
    return rules::CategoryCode(category_[drop]->currentIndex(), categories_[drop]);
}

void LootDrops::FollowCategory(Drop drop)
{
    const bool tank = names::IsTankCategory(ShownCategory(drop));
    human_[drop]->setEnabled(!tank);
    tank_[drop]->setEnabled(tank);
}

void LootDrops::Read()
{
    for (Drop drop : {Early, Late}) {
        const int category = ShownCategory(drop);
        QComboBox* list = names::IsTankCategory(category) ? tank_[drop] : human_[drop];
        lootCodes_[drop] = rules::LootCode(category, list->currentIndex(), lootCodes_[drop]);
        categories_[drop] = category;
    }
}

} // namespace dravik::editors
