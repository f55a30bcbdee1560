#include "editors/RowDialogs.h"

namespace dravik::editors {

std::unique_ptr<CRowDlg> MakeDialog(DialogId id, QWidget* parent)
{
    switch (id) {
    case DialogId::MainCannon: return std::make_unique<CMainCannonDlg>(parent);
    case DialogId::SubCannon: return std::make_unique<CSubCannonDlg>(parent);
    case DialogId::SpecialCannon: return std::make_unique<CSpecialCannonDlg>(parent);
    case DialogId::ControlSystem: return std::make_unique<CControlSystemDlg>(parent);
    case DialogId::Engine: return std::make_unique<CEngineDlg>(parent);
    case DialogId::Tank: return std::make_unique<CTankDlg>(parent);
    case DialogId::HumanWeapon: return std::make_unique<CHumanWeaponDlg>(parent);
    case DialogId::HumanArmor: return std::make_unique<CHumanArmorDlg>(parent);
    case DialogId::Character: return std::make_unique<CCharacterDlg>(parent);
    case DialogId::Monster: return std::make_unique<CMonsterDlg>(parent);
    case DialogId::Monster2: return std::make_unique<CMonsterDlg2>(parent);
    }
    return nullptr;
}

} // namespace dravik::editors
