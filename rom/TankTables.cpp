// Tank items (prices) and the tanks with their eight part slots and four item slots.
#include <QtGlobal>

#include "rom/Layout.h"
#include "rom/RowFlags.h"
#include "rom/Table.h"

namespace dravik::rom {

using names::List;

void AddTankTables(std::vector<TableLayout>& out)
{
    TableLayout items{"tank_items",
                      {QT_TRANSLATE_NOOP("Tables", "战车道具"), QT_TRANSLATE_NOOP("Tables", "价格")},
                      NamedRows(List::TankItems)};
    items.base = 0xC05B4;
    items.stride = 2;
    items.fields = {Whole("price", 0, 2, 1)};
    out.push_back(items);

    TableLayout tanks{"tanks",
                      {QT_TRANSLATE_NOOP("Tables", "战车"), QT_TRANSLATE_NOOP("Tables", "弹仓"),
                       QT_TRANSLATE_NOOP("Tables", "防御"), QT_TRANSLATE_NOOP("Tables", "防御上限"),
                       QT_TRANSLATE_NOOP("Tables", "重量"), QT_TRANSLATE_NOOP("Tables", "租车装甲"),
                       QT_TRANSLATE_NOOP("Tables", "装备1"), QT_TRANSLATE_NOOP("Tables", "装备2"),
                       QT_TRANSLATE_NOOP("Tables", "装备3"), QT_TRANSLATE_NOOP("Tables", "装备4"),
                       QT_TRANSLATE_NOOP("Tables", "装备5"), QT_TRANSLATE_NOOP("Tables", "装备6"),
                       QT_TRANSLATE_NOOP("Tables", "装备7"), QT_TRANSLATE_NOOP("Tables", "装备8"),
                       QT_TRANSLATE_NOOP("Tables", "道具1"), QT_TRANSLATE_NOOP("Tables", "道具2"),
                       QT_TRANSLATE_NOOP("Tables", "道具3"), QT_TRANSLATE_NOOP("Tables", "道具4")},
                      NamedRows(List::Tanks)};
    tanks.base = 0xC8201;
    tanks.stride = 25;
    // Only the low seven bits name the thing; bit 7 marks a rental tank's slot.
    CodeNaming partNames = SlotNamedBy(List::TankParts, 0, 0x7F);
    CodeNaming itemNames = SlotNamedBy(List::TankItems, 0, 0x7F);
    partNames.codeForEntry = itemNames.codeForEntry = TankSlotCode;
    tanks.codeArrays = {{"parts", 8, 6, false, partNames}, {"items", 4, 14, false, itemNames}};
    tanks.fields = {Whole("shells", 0, 1, 1), Whole("defence", 1, 1, 2), Whole("max_defence", 2, 2, 3),
                    Hundredths("weight", 7, 2, 4), Whole("rental_armour", 9, 2, 5)};
    for (int k = 0; k < 8; ++k)
        tanks.fields.push_back(CodeField(12 + k, "parts", k));
    for (int k = 0; k < 4; ++k)
        tanks.fields.push_back(CodeField(20 + k, "items", k));
    out.push_back(tanks);
}

} // namespace dravik::rom
