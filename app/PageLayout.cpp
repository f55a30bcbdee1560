#include "app/PageLayout.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <map>

#include "rom/Layout.h"

namespace dravik::app {

namespace {
using K = PageControlKind;
const char* const kOk = QT_TRANSLATE_NOOP("PageLayout", "确定");
} // namespace

const std::vector<PageControl>& PageControls()
{
    static const std::vector<PageControl> controls = {
        // 1 tank firepower
        {1004, K::List, 1, {11, 31, 218, 261}, "", "main_cannons", -1},
        {1005, K::List, 1, {232, 31, 199, 128}, "", "sub_cannons", -1},
        {1007, K::List, 1, {232, 164, 199, 128}, "", "special_cannons", -1},
        // 2 tank equipment
        {1008, K::List, 2, {12, 31, 206, 188}, "", "control_systems", -1},
        {1009, K::List, 2, {223, 35, 206, 252}, "", "engines", -1},
        {1010, K::Group, 2, {12, 220, 206, 74}, QT_TRANSLATE_NOOP("PageLayout", "特殊弹价格"), "", -1},
        {1011, K::List, 2, {18, 232, 94, 59}, "", "special_shells", -1},
        {1013, K::Edit, 2, {137, 239, 55, 12}, "", "", -1},
        {1012, K::Button, 2, {137, 259, 55, 16}, kOk, "", -1},
        // 3 tank attributes
        {1020, K::List, 3, {11, 35, 320, 252}, "", "tanks", -1},
        {1017, K::Group, 3, {336, 31, 95, 260}, QT_TRANSLATE_NOOP("PageLayout", "战车道具"), "", -1},
        {1016, K::List, 3, {341, 43, 85, 207}, "", "tank_items", -1},
        {1018, K::Edit, 3, {355, 255, 55, 12}, "", "", -1},
        {1019, K::Button, 3, {355, 271, 55, 16}, kOk, "", -1},
        // 4 human equipment
        {1021, K::List, 4, {13, 30, 215, 263}, "", "human_weapons", -1},
        {1023, K::List, 4, {234, 30, 193, 151}, "", "hand_foot_armour", -1},
        {1024, K::List, 4, {234, 183, 193, 110}, "", "head_armour", -1},
        // 5 equipment and items
        {1025, K::List, 5, {11, 32, 181, 160}, "", "body_armour", -1},
        {1026, K::List, 5, {11, 195, 182, 97}, "", "armour_pieces", -1},
        {1027, K::Group, 5, {198, 31, 114, 260}, QT_TRANSLATE_NOOP("PageLayout", "道具"), "", -1},
        {1028, K::List, 5, {203, 43, 103, 222}, "", "items", -1},
        {1029, K::Edit, 5, {205, 272, 45, 12}, "", "", -1},
        {1030, K::Button, 5, {258, 270, 45, 15}, kOk, "", -1},
        {1031, K::Group, 5, {316, 31, 114, 260}, QT_TRANSLATE_NOOP("PageLayout", "赏金"), "", -1},
        {1032, K::List, 5, {321, 43, 103, 222}, "", "bounties", -1},
        {1033, K::Edit, 5, {323, 272, 45, 12}, "", "", -1},
        {1034, K::Button, 5, {376, 270, 45, 15}, kOk, "", -1},
        // 6 characters and sundries
        {1038, K::List, 6, {10, 33, 421, 64}, "", "characters", -1},
        {1039, K::Group, 6, {22, 109, 98, 128}, QT_TRANSLATE_NOOP("PageLayout", "小吃"), "", -1},
        {1040, K::List, 6, {28, 121, 85, 90}, "", "snacks", -1},
        {1041, K::Edit, 6, {27, 218, 40, 12}, "", "", -1},
        {1042, K::Button, 6, {70, 216, 45, 16}, kOk, "", -1},
        {1043, K::Group, 6, {129, 109, 98, 168}, QT_TRANSLATE_NOOP("PageLayout", "装饰品"), "", -1},
        {1044, K::List, 6, {135, 121, 85, 129}, "", "decorations", -1},
        {1045, K::Edit, 6, {135, 258, 40, 12}, "", "", -1},
        {1046, K::Button, 6, {177, 256, 45, 16}, kOk, "", -1},
        {1047, K::Group, 6, {236, 109, 109, 168}, QT_TRANSLATE_NOOP("PageLayout", "饮料"), "", -1},
        {1048, K::List, 6, {242, 121, 97, 129}, "", "drinks", -1},
        {1049, K::Edit, 6, {244, 258, 40, 12}, "", "", -1},
        {1050, K::Button, 6, {293, 256, 45, 16}, kOk, "", -1},
        {1051, K::Static, 6, {25, 256, 36, 8}, QT_TRANSLATE_NOOP("PageLayout", "红狼的HP"), "", -1},
        {1052, K::Edit, 6, {67, 254, 40, 12}, "", "red_wolf", 0},
        {1057, K::Group, 6, {349, 109, 70, 62}, QT_TRANSLATE_NOOP("PageLayout", "客房价格"), "", -1},
        {1056,
         K::Static,
         6,
         {353, 123, 25, 40},
         QT_TRANSLATE_NOOP("PageLayout", "梅客房\n\n竹客房\n\n松客房"),
         "",
         -1},
        {1053, K::Edit, 6, {382, 121, 32, 12}, "", "hotel_rooms", 0},
        {1054, K::Edit, 6, {382, 137, 32, 12}, "", "hotel_rooms", 1},
        {1055, K::Edit, 6, {382, 153, 32, 12}, "", "hotel_rooms", 2},
        // 7 monsters
        {1058, K::List, 7, {7, 28, 427, 267}, "", "monsters", -1},
    };
    return controls;
}

QString PageText(const char* text) { return QCoreApplication::translate("PageLayout", text); }

const std::vector<PageButtonDecl>& PageButtons()
{
    static const std::vector<PageButtonDecl> buttons = {
        {1006,
         1,
         {112, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "战车\n火力"),
         QT_TRANSLATE_NOOP("PageLayout", "战车火力")},
        {1014,
         2,
         {147, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "战车\n装备"),
         QT_TRANSLATE_NOOP("PageLayout", "战车装备")},
        {1015,
         3,
         {182, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "战车\n属性"),
         QT_TRANSLATE_NOOP("PageLayout", "战车属性")},
        {1022,
         4,
         {217, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "人类\n装备"),
         QT_TRANSLATE_NOOP("PageLayout", "人类装备")},
        {1035,
         5,
         {252, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "装备\n道具"),
         QT_TRANSLATE_NOOP("PageLayout", "装备/道具")},
        {1036,
         6,
         {287, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "人物\n杂项"),
         QT_TRANSLATE_NOOP("PageLayout", "人物/杂项")},
        {1037,
         7,
         {322, 4, 35, 20},
         QT_TRANSLATE_NOOP("PageLayout", "怪物"),
         QT_TRANSLATE_NOOP("PageLayout", "怪物篇")},
    };
    return buttons;
}

namespace {
// Entries 0 to count - 1 of a code array, all of one width.
std::vector<ColumnWidth> Entries(const char* array, int count, int width)
{
    std::vector<ColumnWidth> out;
    for (int k = 0; k < count; ++k)
        out.push_back({rom::EntryKey(array, k, count), width});
    return out;
}

std::vector<ColumnWidth> Join(std::vector<ColumnWidth> head, const std::vector<ColumnWidth>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
} // namespace

const std::vector<ColumnWidth>& ColumnWidths(int listId)
{
    using W = std::vector<ColumnWidth>;
    static const std::map<int, W> widths = {
        {1004,
         {{"name", 80}, {"price", 45}, {"defence", 45}, {"weight", 45}, {"attack", 45}, {"shells", 45}}},
        {1005, {{"name", 80}, {"price", 45}, {"defence", 45}, {"weight", 45}, {"attack", 45}}},
        {1007,
         {{"name", 80},
          {"price", 45},
          {"defence", 45},
          {"weight", 45},
          {"attack", 45},
          {"shells", 45},
          {"shell_price", 48}}},
        {1008, {{"name", 80}, {"price", 45}, {"defence", 45}, {"weight", 45}, {"hit", 45}, {"evasion", 45}}},
        {1009, {{"name", 80}, {"price", 50}, {"defence", 50}, {"weight", 50}, {"load", 50}}},
        {1011, {{"name", 70}, {"price", 47}}},
        {1016, {{"name", 60}, {"price", 45}}},
        {1020, Join(Join({{"name", 80},
                          {"shells", 40},
                          {"defence", 40},
                          {"max_defence", 45},
                          {"weight", 45},
                          {"rental_armour", 45}},
                         Entries("parts", 8, 75)),
                    Entries("items", 4, 75))},
        {1021, {{"name", 80}, {"price", 50}, {"attack", 50}, {"range", 60}, {"users", 60}}},
        {1023, {{"name", 80}, {"price", 60}, {"defence", 60}, {"users", 60}}},
        {1024, {{"name", 80}, {"price", 60}, {"defence", 60}, {"users", 60}}},
        {1025, {{"name", 80}, {"price", 50}, {"defence", 50}, {"users", 60}}},
        {1026, {{"name", 80}, {"price", 50}, {"defence", 50}, {"users", 60}}},
        {1028, {{"name", 80}, {"price", 50}}},
        {1032, {{"name", 80}, {"bounty", 60}}},
        {1038, Join(Join({{"name", 50},
                          {"level", 30},
                          {"battle", 40},
                          {"driving", 40},
                          {"repair", 40},
                          {"strength", 40},
                          {"intelligence", 40},
                          {"stamina", 40},
                          {"speed", 40},
                          {"hp", 40},
                          {"max_hp", 40}},
                         Entries("items", 3, 70)),
                    Entries("equipment", 7, 70))},
        {1040, {{"name", 70}, {"price", 50}}},
        {1044, {{"name", 70}, {"price", 50}}},
        {1048, {{"name", 70}, {"price", 50}}},
        {1058, Join(Join({{"name", 90},
                          {"level", 40},
                          {"attack", 40},
                          {"defence", 40},
                          {"hp", 40},
                          {"hit", 40},
                          {"evasion", 40},
                          {"speed", 40},
                          {"armour", 40},
                          {"exp", 45},
                          {"gold", 45}},
                         Entries("attacks", 6, 100)),
                    {{"early_loot", 98}, {"late_loot", 98}})},
    };
    static const W none;
    const auto it = widths.find(listId);
    return it == widths.end() ? none : it->second;
}

namespace {
bool Contains(const DuRect& outer, const DuRect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

int Scaled(int v, double factor) { return static_cast<int>(std::lround(v * factor)); }

// The same rectangle grown with the page.
DuRect Stretched(const DuRect& r, double sx, double sy)
{
    const int x = Scaled(r.x, sx), y = Scaled(r.y, sy);
    return {x, y, Scaled(r.x + r.width, sx) - x, Scaled(r.y + r.height, sy) - y};
}

// The same size, centred where the page moved its centre.
DuRect Carried(const DuRect& r, double sx, double sy)
{
    return {static_cast<int>(std::lround((r.x + r.width / 2.0) * sx - r.width / 2.0)),
            static_cast<int>(std::lround((r.y + r.height / 2.0) * sy - r.height / 2.0)), r.width, r.height};
}
} // namespace

std::vector<DuRect> StretchPage(const std::vector<PageItem>& items, double sx, double sy)
{
    const auto holdsList = [&](const DuRect& frame) {
        return std::any_of(items.begin(), items.end(), [&](const PageItem& i) {
            return i.kind == PageControlKind::List && Contains(frame, i.rect);
        });
    };
    std::vector<DuRect> out;
    for (const PageItem& item : items) {
        const bool grows = item.kind == PageControlKind::List ||
                           (item.kind == PageControlKind::Group && holdsList(item.rect));
        if (grows) {
            out.push_back(Stretched(item.rect, sx, sy));
            continue;
        }
        // A control inside a frame without a list moves with the frame.
        const auto frame = std::find_if(items.begin(), items.end(), [&](const PageItem& i) {
            return i.kind == PageControlKind::Group && &i != &item && Contains(i.rect, item.rect) &&
                   !holdsList(i.rect);
        });
        if (frame == items.end()) {
            out.push_back(Carried(item.rect, sx, sy));
            continue;
        }
        const DuRect moved = Carried(frame->rect, sx, sy);
        out.push_back({moved.x + item.rect.x - frame->rect.x, moved.y + item.rect.y - frame->rect.y,
                       item.rect.width, item.rect.height});
    }
    return out;
}

const std::vector<PriceEditorDecl>& PriceEditors()
{
    static const std::vector<PriceEditorDecl> editors = {
        {1011, 1013, 1012}, {1016, 1018, 1019}, {1028, 1029, 1030}, {1032, 1033, 1034},
        {1040, 1041, 1042}, {1044, 1045, 1046}, {1048, 1049, 1050},
    };
    return editors;
}

} // namespace dravik::app
