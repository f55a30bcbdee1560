#include "editors/CMonsterDlg.h"

#include <QComboBox>

#include "editors/CodeRules.h"

using dravik::editors::DialogId;
using dravik::editors::LayoutOf;
namespace rules = dravik::editors::rules;

namespace {
struct DropIds {
    int category, human, tank;
};
constexpr DropIds kDrops[2] = {{1029, 1030, 1031}, {1032, 1033, 1034}};
} // namespace

CMonsterDlgBase::CMonsterDlgBase(const dravik::editors::DialogLayout& layout, QWidget* parent)
    : CRowDlg(layout, parent)
{
    for (Drop drop : {Early, Late}) {
        const DropIds& ids = kDrops[drop];
        m_category[drop] = ComboById(ids.category);
        m_human[drop] = ComboById(ids.human);
        m_tank[drop] = ComboById(ids.tank);
        connect(m_category[drop], &QComboBox::currentIndexChanged, this,
                [this, drop] { FollowCategory(drop); });
        // The disabled list follows the enabled one.
        QComboBox* human = m_human[drop];
        QComboBox* tank = m_tank[drop];
        connect(human, &QComboBox::currentIndexChanged, tank, [tank](int i) { tank->setCurrentIndex(i); });
        connect(tank, &QComboBox::currentIndexChanged, human, [human](int i) { human->setCurrentIndex(i); });
        FollowCategory(drop);
    }
    // Tab order: the lists of each drop after the attack patterns.
    QWidget* previous = ComboById(1028);
    for (Drop drop : {Early, Late})
        for (QWidget* w : {static_cast<QWidget*>(m_category[drop]), static_cast<QWidget*>(m_human[drop]),
                           static_cast<QWidget*>(m_tank[drop])}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
}

void CMonsterDlgBase::SetDrop(Drop drop, int category, int lootCode)
{
    m_categories[drop] = category;
    m_lootCodes[drop] = lootCode;
    m_category[drop]->setCurrentIndex(rules::CategoryIndex(category));
    m_human[drop]->setCurrentIndex(rules::LootIndex(lootCode));
    m_tank[drop]->setCurrentIndex(rules::LootIndex(lootCode));
    FollowCategory(drop);
}

int CMonsterDlgBase::ShownCategory(Drop drop) const
{
    return rules::CategoryCode(m_category[drop]->currentIndex(), m_categories[drop]);
}

void CMonsterDlgBase::FollowCategory(Drop drop)
{
    const bool tank = rules::IsTankCategory(ShownCategory(drop));
    m_human[drop]->setEnabled(!tank);
    m_tank[drop]->setEnabled(tank);
}

void CMonsterDlgBase::ReadControls()
{
    CRowDlg::ReadControls();
    for (Drop drop : {Early, Late}) {
        const int category = ShownCategory(drop);
        QComboBox* list = rules::IsTankCategory(category) ? m_tank[drop] : m_human[drop];
        m_lootCodes[drop] = rules::LootCode(category, list->currentIndex(), m_lootCodes[drop]);
        m_categories[drop] = category;
    }
}

CMonsterDlg::CMonsterDlg(QWidget* parent) : CMonsterDlgBase(LayoutOf(DialogId::Monster), parent) {}

CMonsterDlg2::CMonsterDlg2(QWidget* parent) : CMonsterDlgBase(LayoutOf(DialogId::Monster2), parent) {}
