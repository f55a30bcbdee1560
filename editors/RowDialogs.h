#pragma once
// The row editors that need nothing beyond CRowDlg: each one is its layout, found in
// editors/DialogLayouts.cpp. The monster editors add behaviour of their own (CMonsterDlg.h).
#include "editors/CMonsterDlg.h"
#include "editors/CRowDlg.h"

#include <memory>

namespace dravik::editors {

// Main cannons (138).
class CMainCannonDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CMainCannonDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::MainCannon), parent) {}
};

// Sub cannons (139).
class CSubCannonDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CSubCannonDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::SubCannon), parent) {}
};

// Special cannons (140).
class CSpecialCannonDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CSpecialCannonDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::SpecialCannon), parent)
    {
    }
};

// Control systems (141).
class CControlSystemDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CControlSystemDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::ControlSystem), parent)
    {
    }
};

// Engines (142).
class CEngineDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CEngineDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::Engine), parent) {}
};

// Tanks (143).
class CTankDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CTankDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::Tank), parent) {}
};

// Human weapons (145).
class CHumanWeaponDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CHumanWeaponDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::HumanWeapon), parent) {}
};

// All four armour lists (147).
class CHumanArmorDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CHumanArmorDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::HumanArmor), parent) {}
};

// Characters (149).
class CCharacterDlg : public CRowDlg {
    Q_OBJECT
public:
    explicit CCharacterDlg(QWidget* parent = nullptr) : CRowDlg(LayoutOf(DialogId::Character), parent) {}
};

// A fresh dialog of the class that serves the layout.
std::unique_ptr<CRowDlg> MakeDialog(DialogId id, QWidget* parent);

} // namespace dravik::editors
