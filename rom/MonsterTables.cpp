// The 152 monsters: a 16-byte statistics record, a reward record and a loot record each.
// Attack, defence and hit points share their words with the armour nibbles and the HP flag.
#include <QtGlobal>

#include "rom/Codecs.h"
#include "rom/Layout.h"
#include "rom/Passes.h"
#include "rom/RowFlags.h"
#include "rom/Table.h"

namespace dravik::rom {

using names::List;

namespace {
constexpr uint32_t kStats = 0xC3BC4, kRewards = 0xC3944, kLoot = 0xC3444;
constexpr int kAttack = 2, kDefence = 3, kHp = 4, kArmour = 8;
constexpr int kAttacksColumn = 11, kEarlyLootColumn = 17, kLateLootColumn = 18;

uint32_t Stats(int row) { return kStats + 16u * static_cast<uint32_t>(row); }
uint32_t Loot(int row) { return kLoot + 8u * static_cast<uint32_t>(row); }

// The inverse of names::LootEntryOf: the loot codes that name an entry, with every category that
// chooses its list (the human or the tank lists; the second list of each from kLootSecondList).
std::vector<NamedCode> LootCodesOf(names::ListEntry e)
{
    const bool tank = e.list == List::TankParts || e.list == List::TankItems;
    const bool second = e.list == List::Items || e.list == List::TankItems;
    if (!tank && !second && e.list != List::HumanEquipment)
        return {};
    std::vector<NamedCode> out;
    for (int category = 0; category < names::Size(List::LootCategories); ++category)
        if (names::IsTankCategory(category) == tank)
            out.push_back({(second ? names::kLootSecondList : 0) + e.entry, category});
    return out;
}

void LoadPacked(const LoadContext& ctx, Table& t, int row)
{
    const uint32_t attack = ctx.Read(Stats(row) + 1, 2);
    const uint32_t defence = ctx.Read(Stats(row) + 3, 2);
    const uint32_t hp = ctx.Read(Stats(row) + 5, 2);
    t.SetCell(row, kAttack, FormatWhole(static_cast<int32_t>(attack & 0xFFF)));
    t.SetCell(row, kDefence, FormatWhole(static_cast<int32_t>(defence & 0xFFF)));
    t.SetCell(row, kArmour, FormatWhole(static_cast<int32_t>(16 * (attack >> 12) + (defence >> 12))));
    t.SetCell(row, kHp, FormatWhole(static_cast<int32_t>(hp & 0xFFF)));

    // The loot gate is loaded as a code and written only by the rule in SavePacked.
    t.SetCode("loot_gate", row, 0, static_cast<int>(ctx.Read(Loot(row), 1)));
    const uint32_t categories = ctx.Read(Loot(row) + 5, 1);
    t.SetCode("early_category", row, 0, static_cast<int>(categories & 0x0F));
    t.SetCode("late_category", row, 0, static_cast<int>(categories >> 4));
}

void SavePacked(SaveContext& ctx, const Table& t, int row)
{
    const auto attack = ctx.Number(t, row, kAttack, Codec::Whole, {0, 4095});
    const auto defence = ctx.Number(t, row, kDefence, Codec::Whole, {0, 4095});
    const auto hp = ctx.Number(t, row, kHp, Codec::Whole, {0, 4095});
    const auto armour = ctx.Number(t, row, kArmour, Codec::Whole, {0, 255});
    if (attack && armour)
        ctx.Write(Stats(row) + 1, 2, *attack + 4096 * (*armour / 16));
    if (defence && armour)
        ctx.Write(Stats(row) + 3, 2, *defence + 4096 * (*armour % 16));
    if (hp)
        ctx.Write(Stats(row) + 5, 2, *hp + MonsterHpFlag(row)); // the top nibble becomes the row's flag

    // A monster that drops anything needs its loot gate at 0x40 or more.
    const auto gate = ctx.CodeValue(t, row, "loot_gate", 0, {0, 255});
    const int early = t.Code("early_loot", row), late = t.Code("late_loot", row); // checked as fields
    if (gate && *gate < 0x40 && (early != 0xFF || late != 0xFF))
        ctx.Write(Loot(row), 1, 0x40);

    const auto earlyCategory = ctx.CodeValue(t, row, "early_category", 0, {0, 15});
    const auto lateCategory = ctx.CodeValue(t, row, "late_category", 0, {0, 15});
    if (earlyCategory && lateCategory)
        ctx.Write(Loot(row) + 5, 1, 16 * *lateCategory + *earlyCategory);
}
} // namespace

void AddMonsterTables(std::vector<TableLayout>& out)
{
    TableLayout m{"monsters",
                  {QT_TRANSLATE_NOOP("Tables", "怪物"), QT_TRANSLATE_NOOP("Tables", "强度"),
                   QT_TRANSLATE_NOOP("Tables", "攻击"), QT_TRANSLATE_NOOP("Tables", "防御"), "HP",
                   QT_TRANSLATE_NOOP("Tables", "命中"), QT_TRANSLATE_NOOP("Tables", "回避"),
                   QT_TRANSLATE_NOOP("Tables", "速度"), QT_TRANSLATE_NOOP("Tables", "护甲"),
                   QT_TRANSLATE_NOOP("Tables", "经验"), QT_TRANSLATE_NOOP("Tables", "金钱"),
                   QT_TRANSLATE_NOOP("Tables", "攻击方式1"), QT_TRANSLATE_NOOP("Tables", "攻击方式2"),
                   QT_TRANSLATE_NOOP("Tables", "攻击方式3"), QT_TRANSLATE_NOOP("Tables", "攻击方式4"),
                   QT_TRANSLATE_NOOP("Tables", "攻击方式5"), QT_TRANSLATE_NOOP("Tables", "攻击方式6"),
                   QT_TRANSLATE_NOOP("Tables", "战利品(<3回合)"),
                   QT_TRANSLATE_NOOP("Tables", "战利品(>3回合)")},
                  NamedRows(List::Monsters)};
    m.base = kStats;
    m.stride = 16;
    // A loot code is named by the list its category chooses together with the code
    // (names::LootEntryOf); the category shares the loot's cell.
    CodeNaming categories = NamedBy(List::LootCategories);
    categories.unnamed = Unnamed::Blank;
    m.codeArrays = {
        {"attacks", 6, kAttacksColumn, false, NamedByRow(names::AttackListFor)},
        {"loot_gate", 1, -1, true},
        {"early_category", 1, kEarlyLootColumn, false, categories},
        {"late_category", 1, kLateLootColumn, false, categories},
        {"early_loot", 1, kEarlyLootColumn, false,
         ChosenBy("early_category", names::LootEntryOf, LootCodesOf)},
        {"late_loot", 1, kLateLootColumn, false, ChosenBy("late_category", names::LootEntryOf, LootCodesOf)}};
    m.fields = {Whole("level", 0, 1, 1),
                Whole("hit", 7, 1, 5),
                Whole("evasion", 8, 1, 6),
                Whole("speed", 9, 1, 7),
                At(kRewards, 4, Whole("exp", 0, 2, 9)),
                At(kRewards, 4, Whole("gold", 2, 2, 10))};
    for (int k = 0; k < 6; ++k)
        m.fields.push_back(CodeField(10 + k, "attacks", k));
    m.fields.push_back(At(kLoot, 8, CodeField(6, "early_loot")));
    m.fields.push_back(At(kLoot, 8, CodeField(7, "late_loot")));
    m.hookColumns = {{"attack", kAttack}, {"defence", kDefence}, {"hp", kHp}, {"armour", kArmour}};
    m.hookFields = {Whole("attack", 1, 2, kAttack), Whole("defence", 3, 2, kDefence), Whole("hp", 5, 2, kHp),
                    At(kLoot, 8, CodeField(0, "loot_gate")), At(kLoot, 8, CodeField(5, "early_category"))};
    m.load = LoadPacked;
    m.save = SavePacked;
    out.push_back(m);
}

} // namespace dravik::rom
