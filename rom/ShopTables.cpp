// Items, bounties, the three characters, shop prices, the red wolf's HP and the hotel rooms.
#include <QtGlobal>

#include "rom/Layout.h"
#include "rom/Table.h"

namespace dravik::rom {

using names::List;

namespace {
TableLayout PriceList(const char* id, std::vector<std::string> columns, RowNames rows, uint32_t base,
                      int width, const char* key = "price")
{
    TableLayout t{id, std::move(columns), std::move(rows)};
    t.base = base;
    t.stride = static_cast<uint32_t>(width);
    t.fields = {Whole(key, 0, width, 1)};
    return t;
}
} // namespace

void AddShopTables(std::vector<TableLayout>& out)
{
    out.push_back(PriceList("items",
                            {QT_TRANSLATE_NOOP("Tables", "道具"), QT_TRANSLATE_NOOP("Tables", "价格")},
                            NamedRows(List::Items), 0xC0200, 2));
    out.push_back(PriceList("bounties",
                            {QT_TRANSLATE_NOOP("Tables", "通辑犯"), QT_TRANSLATE_NOOP("Tables", "赏金")},
                            NamedRows(List::Monsters, 0, 16), 0xC0BFC, 3, "bounty"));

    TableLayout chars{"characters",
                      {QT_TRANSLATE_NOOP("Tables", "人物"),
                       "LV",
                       QT_TRANSLATE_NOOP("Tables", "战斗"),
                       QT_TRANSLATE_NOOP("Tables", "驾驶"),
                       QT_TRANSLATE_NOOP("Tables", "修理"),
                       QT_TRANSLATE_NOOP("Tables", "腕力"),
                       QT_TRANSLATE_NOOP("Tables", "智力"),
                       QT_TRANSLATE_NOOP("Tables", "体力"),
                       QT_TRANSLATE_NOOP("Tables", "速度"),
                       "HP",
                       "MHP",
                       QT_TRANSLATE_NOOP("Tables", "道具1"),
                       QT_TRANSLATE_NOOP("Tables", "道具2"),
                       QT_TRANSLATE_NOOP("Tables", "道具3"),
                       QT_TRANSLATE_NOOP("Tables", "装备1"),
                       QT_TRANSLATE_NOOP("Tables", "装备2"),
                       QT_TRANSLATE_NOOP("Tables", "装备3"),
                       QT_TRANSLATE_NOOP("Tables", "装备4"),
                       QT_TRANSLATE_NOOP("Tables", "装备5"),
                       QT_TRANSLATE_NOOP("Tables", "装备6"),
                       QT_TRANSLATE_NOOP("Tables", "装备7")},
                      NamedRows(List::Characters)};
    chars.base = 0xB7C2B;
    chars.stride = 15;
    // Equipment codes are 128 + the human equipment entry.
    chars.codeArrays = {{"items", 3, 11, false, SlotNamedBy(List::Items)},
                        {"equipment", 7, 14, false, SlotNamedBy(List::HumanEquipment, 128)}};
    chars.fields = {Whole("level", 0, 1, 1),    Whole("battle", 1, 1, 2),   Whole("driving", 2, 1, 3),
                    Whole("repair", 3, 1, 4),   Whole("strength", 8, 1, 5), Whole("intelligence", 9, 1, 6),
                    Whole("stamina", 10, 1, 7), Whole("speed", 11, 1, 8),   Whole("hp", 4, 2, 9),
                    Whole("max_hp", 6, 2, 10)};
    for (int k = 0; k < 3; ++k)
        chars.fields.push_back(At(0xB7DCD, 4, CodeField(k, "items", k)));
    for (int k = 0; k < 7; ++k)
        chars.fields.push_back(At(0xB7DD9, 8, CodeField(k, "equipment", k)));
    out.push_back(chars);

    out.push_back(PriceList("snacks",
                            {QT_TRANSLATE_NOOP("Tables", "小吃"), QT_TRANSLATE_NOOP("Tables", "价格")},
                            NamedRows(List::Snacks), 0xC0C4C, 1));
    out.push_back(PriceList("decorations",
                            {QT_TRANSLATE_NOOP("Tables", "装饰品"), QT_TRANSLATE_NOOP("Tables", "价格")},
                            NamedRows(List::Decorations), 0xC0C32, 2));
    out.push_back(PriceList("drinks",
                            {QT_TRANSLATE_NOOP("Tables", "饮料"), QT_TRANSLATE_NOOP("Tables", "价格")},
                            NamedRows(List::Drinks), 0xC0BEC, 1));

    // The game keeps the red wolf's HP twice in a row; only the first copy is read.
    TableLayout wolf{"red_wolf", {QT_TRANSLATE_NOOP("Tables", "红狼的HP"), "HP"}, FixedRows({"红狼的HP"})};
    wolf.base = 0x30151;
    wolf.stride = 0;
    Field mirror = Whole("hp", 2, 2, 1);
    mirror.saveOnly = true;
    wolf.fields = {Whole("hp", 0, 2, 1), mirror};
    out.push_back(wolf);

    out.push_back(PriceList("hotel_rooms",
                            {QT_TRANSLATE_NOOP("Tables", "客房"), QT_TRANSLATE_NOOP("Tables", "价格")},
                            FixedRows({"梅客房", "竹客房", "松客房"}), 0xC0C2C, 1));
}

} // namespace dravik::rom
