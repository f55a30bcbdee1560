// Tank weapons and parts: main, sub and special cannons, control systems, engines, and the
// special shell prices. The five part tables share one code space, the tank part list.
#include <QtGlobal>

#include "rom/Layout.h"
#include "rom/RowFlags.h"

namespace dravik::rom {

using names::List;

void AddTankPartTables(std::vector<TableLayout>& out)
{
    TableLayout main{"main_cannons",
                     {QT_TRANSLATE_NOOP("Tables", "主炮"), QT_TRANSLATE_NOOP("Tables", "价格"),
                      QT_TRANSLATE_NOOP("Tables", "防御"), QT_TRANSLATE_NOOP("Tables", "重量"),
                      QT_TRANSLATE_NOOP("Tables", "攻击"), QT_TRANSLATE_NOOP("Tables", "弹仓")},
                     NamedRows(List::TankParts, 0, 32)};
    main.base = 0xC05F4;
    main.stride = 9;
    main.fields = {Whole("price", 0, 2, 1), Whole("defence", 2, 1, 2),
                   Hundredths("weight", 3, 2, 3, MainCannonWeightFlag),
                   Whole("attack", 5, 2, 4, MainCannonAttackFlag), Whole("shells", 7, 1, 5)};
    out.push_back(main);

    TableLayout sub{"sub_cannons",
                    {QT_TRANSLATE_NOOP("Tables", "副炮"), QT_TRANSLATE_NOOP("Tables", "价格"),
                     QT_TRANSLATE_NOOP("Tables", "防御"), QT_TRANSLATE_NOOP("Tables", "重量"),
                     QT_TRANSLATE_NOOP("Tables", "攻击")},
                    NamedRows(List::TankParts, 32, 22)};
    sub.base = 0xC0714;
    sub.stride = 9;
    sub.fields = {Whole("price", 0, 2, 1), Whole("defence", 2, 1, 2),
                  Hundredths("weight", 3, 2, 3, SubCannonWeightFlag),
                  Whole("attack", 5, 2, 4, SubCannonAttackFlag)};
    out.push_back(sub);

    TableLayout special{"special_cannons",
                        {QT_TRANSLATE_NOOP("Tables", "特殊炮"), QT_TRANSLATE_NOOP("Tables", "价格"),
                         QT_TRANSLATE_NOOP("Tables", "防御"), QT_TRANSLATE_NOOP("Tables", "重量"),
                         QT_TRANSLATE_NOOP("Tables", "攻击"), QT_TRANSLATE_NOOP("Tables", "弹仓"),
                         QT_TRANSLATE_NOOP("Tables", "炮弹价")},
                        NamedRows(List::TankParts, 54, 20)};
    special.base = 0xC07DA;
    special.stride = 9;
    special.fields = {Whole("price", 0, 2, 1),
                      Whole("defence", 2, 1, 2),
                      Hundredths("weight", 3, 2, 3, SpecialCannonWeightFlag),
                      Whole("attack", 5, 2, 4, SpecialCannonAttackFlag),
                      Whole("shells", 7, 1, 5),
                      At(0x7880D, 2, Whole("shell_price", 0, 2, 6))}; // shell prices live in their own table
    out.push_back(special);

    TableLayout control{"control_systems",
                        {QT_TRANSLATE_NOOP("Tables", "控制系统"), QT_TRANSLATE_NOOP("Tables", "价格"),
                         QT_TRANSLATE_NOOP("Tables", "防御"), QT_TRANSLATE_NOOP("Tables", "重量"),
                         QT_TRANSLATE_NOOP("Tables", "命中"), QT_TRANSLATE_NOOP("Tables", "回避")},
                        NamedRows(List::TankParts, 74, 20)};
    control.base = 0xC088E;
    control.stride = 9;
    control.fields = {Whole("price", 0, 2, 1), Whole("defence", 2, 1, 2),
                      Hundredths("weight", 3, 2, 3, ControlSystemWeightFlag),
                      Whole("hit", 5, 1, 4, ControlSystemHitFlag), Whole("evasion", 7, 1, 5)};
    out.push_back(control);

    TableLayout engines{"engines",
                        {QT_TRANSLATE_NOOP("Tables", "引擎"), QT_TRANSLATE_NOOP("Tables", "价格"),
                         QT_TRANSLATE_NOOP("Tables", "防御"), QT_TRANSLATE_NOOP("Tables", "重量"),
                         QT_TRANSLATE_NOOP("Tables", "载重")},
                        NamedRows(List::TankParts, 94, 27)};
    engines.base = 0xC0942;
    engines.stride = 7;
    engines.fields = {Whole("price", 0, 2, 1), Whole("defence", 2, 1, 2), Hundredths("weight", 3, 1, 3),
                      Hundredths("load", 5, 2, 4, EngineLoadFlag)};
    out.push_back(engines);

    TableLayout shells{"special_shells",
                       {QT_TRANSLATE_NOOP("Tables", "特殊炮弹"), QT_TRANSLATE_NOOP("Tables", "价格")},
                       NamedRows(List::SpecialShells)};
    shells.base = 0xC0C54;
    shells.stride = 1;
    shells.fields = {Whole("price", 0, 1, 1)};
    out.push_back(shells);
}

} // namespace dravik::rom
