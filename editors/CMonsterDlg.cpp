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
        m_categoryPosition[drop] = IndexPosition(ids.category);
        connect(m_category[drop], &QComboBox::currentIndexChanged, this, [this, drop] { FollowCategory(drop); });
        // The two lists of a drop show the same code; the disabled one follows the other.
        QComboBox* human = m_human[drop];
        QComboBox* tank = m_tank[drop];
        connect(human, &QComboBox::currentIndexChanged, tank, [tank](int i) { tank->setCurrentIndex(i); });
        connect(tank, &QComboBox::currentIndexChanged, human, [human](int i) { human->setCurrentIndex(i); });
        FollowCategory(drop);
    }
}

void CMonsterDlgBase::SetLootCode(Drop drop, int code)
{
    m_lootCodes[drop] = code;
    m_human[drop]->setCurrentIndex(rules::LootIndex(code));
    m_tank[drop]->setCurrentIndex(rules::LootIndex(code));
}

int CMonsterDlgBase::Category(Drop drop) const
{
    const int selected = m_category[drop]->currentIndex();
    return selected >= 0 ? selected : Index(m_categoryPosition[drop]);
}

void CMonsterDlgBase::FollowCategory(Drop drop)
{
    const bool tank = rules::IsTankCategory(Category(drop));
    m_human[drop]->setEnabled(!tank);
    m_tank[drop]->setEnabled(tank);
}

// A category without an entry leaves its list unselected, yet still decides which loot list
// is in use: the one it names.
void CMonsterDlgBase::IndexSet(int i)
{
    for (Drop drop : {Early, Late})
        if (i == m_categoryPosition[drop])
            FollowCategory(drop);
}

void CMonsterDlgBase::ReadControls()
{
    int categories[2];
    for (Drop drop : {Early, Late})
        categories[drop] = rules::CategoryCode(m_category[drop]->currentIndex(), Index(m_categoryPosition[drop]));
    CRowDlg::ReadControls();
    for (Drop drop : {Early, Late}) {
        QComboBox* list = rules::IsTankCategory(categories[drop]) ? m_tank[drop] : m_human[drop];
        m_lootCodes[drop] = rules::LootCode(categories[drop], list->currentIndex(), m_lootCodes[drop]);
    }
}

CMonsterDlg::CMonsterDlg(QWidget* parent) : CMonsterDlgBase(LayoutOf(DialogId::Monster), parent) {}

CMonsterDlg2::CMonsterDlg2(QWidget* parent) : CMonsterDlgBase(LayoutOf(DialogId::Monster2), parent) {}
