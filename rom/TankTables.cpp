// Tank items (prices) and the tanks with their eight part slots and four item slots.
#include "rom/Layout.h"
#include "rom/Table.h"

namespace dravik::rom {

using names::List;

namespace {
void TankLabels(Table& t, int row)
{
    for (int k = 0; k < 8; ++k)
        t.SetCell(row, 6 + k, names::TankPartCode(t.Code("parts", row, k)));
    for (int k = 0; k < 4; ++k)
        t.SetCell(row, 14 + k, names::TankItemCode(t.Code("items", row, k)));
}
} // namespace

void AddTankTables(std::vector<TableLayout>& out)
{
    TableLayout items{"tank_items", {"战车道具", "价格"}, names::Get(List::TankItems)};
    items.base = 0xC05B4;
    items.stride = 2;
    items.fields = {Whole(0, 2, 1)};
    out.push_back(items);

    TableLayout tanks{"tanks",
                      {"战车", "弹仓", "防御", "防御上限", "重量", "租车装甲", "装备1", "装备2", "装备3",
                       "装备4", "装备5", "装备6", "装备7", "装备8", "道具1", "道具2", "道具3", "道具4"},
                      names::Get(List::Tanks)};
    tanks.base = 0xC8201;
    tanks.stride = 25;
    tanks.codeArrays = {{"parts", 8, 6}, {"items", 4, 14}};
    tanks.fields = {Whole(0, 1, 1), Whole(1, 1, 2), Whole(2, 2, 3), Hundredths(7, 2, 4), Whole(9, 2, 5)};
    for (int k = 0; k < 8; ++k)
        tanks.fields.push_back(CodeField(12 + k, "parts", k));
    for (int k = 0; k < 4; ++k)
        tanks.fields.push_back(CodeField(20 + k, "items", k));
    tanks.labels = TankLabels;
    out.push_back(tanks);
}

} // namespace dravik::rom
