#include "editors/RowEditing.h"

#include <algorithm>

#include "editors/CodeRules.h"
#include "editors/RowDialogs.h"
#include "names/Names.h"
#include "rom/Review.h"
#include "widgets/Prompts.h"

namespace dravik::editors {

namespace {

// How one drop-down list of an editor maps to a code of the row.
enum class Rule { TankPart, TankItem, Range, Users, Item, Equipment, Attack };

struct CodeSlot {
    const char* array;
    int k;
    Rule rule;
};

// One table's editor: its dialog and, in the order of the dialog's lists (ascending ids), the
// codes those lists edit. The text fields are the table's value columns in column order.
struct Editor {
    const char* tableId;
    DialogId dialog;
    std::vector<CodeSlot> lists;
};

std::vector<CodeSlot> Series(const char* array, int count, Rule rule)
{
    std::vector<CodeSlot> lists;
    for (int k = 0; k < count; ++k)
        lists.push_back({array, k, rule});
    return lists;
}

template <typename... More> std::vector<CodeSlot> Join(std::vector<CodeSlot> first, More... more)
{
    (first.insert(first.end(), more.begin(), more.end()), ...);
    return first;
}

const std::vector<Editor>& Editors()
{
    static const std::vector<Editor> editors = {
        {"main_cannons", DialogId::MainCannon, {}},
        {"sub_cannons", DialogId::SubCannon, {}},
        {"special_cannons", DialogId::SpecialCannon, {}},
        {"control_systems", DialogId::ControlSystem, {}},
        {"engines", DialogId::Engine, {}},
        {"tanks", DialogId::Tank,
         Join(Series("parts", 8, Rule::TankPart), Series("items", 4, Rule::TankItem))},
        {"human_weapons", DialogId::HumanWeapon, {{"range", 0, Rule::Range}, {"users", 0, Rule::Users}}},
        {"head_armour", DialogId::HumanArmor, {{"users", 0, Rule::Users}}},
        {"body_armour", DialogId::HumanArmor, {{"users", 0, Rule::Users}}},
        {"hand_foot_armour", DialogId::HumanArmor, {{"users", 0, Rule::Users}}},
        {"armour_pieces", DialogId::HumanArmor, {{"users", 0, Rule::Users}}},
        {"characters", DialogId::Character,
         Join(Series("items", 3, Rule::Item), Series("equipment", 7, Rule::Equipment))},
        // Rows 47 and on get the second variant (attack list A), see DialogFor. The loot
        // categories and codes are the monster dialog's own (SetDrop).
        {"monsters", DialogId::Monster, Series("attacks", 6, Rule::Attack)},
    };
    return editors;
}

const Editor* Find(const std::string& tableId)
{
    for (const Editor& e : Editors())
        if (tableId == e.tableId)
            return &e;
    return nullptr;
}

DialogId DialogFor(const Editor& editor, int row)
{
    return editor.dialog == DialogId::Monster && names::AttackListFor(row) == names::List::AttacksA
               ? DialogId::Monster2
               : editor.dialog;
}

int ToIndex(Rule rule, int row, int code)
{
    switch (rule) {
    case Rule::TankPart: return rules::TankSlotIndex(code, rules::TankPartEmpty());
    case Rule::TankItem: return rules::TankSlotIndex(code, rules::TankItemEmpty());
    case Rule::Range: return rules::RangeIndex(code);
    case Rule::Users: return rules::UsersIndex(code);
    case Rule::Item: return rules::ItemIndex(code);
    case Rule::Equipment: return rules::EquipmentIndex(code);
    case Rule::Attack: return rules::AttackIndex(row, code);
    }
    return rules::kNoSelection;
}

int ToCode(Rule rule, int row, int index, int oldCode)
{
    switch (rule) {
    case Rule::TankPart: return rules::TankSlotCode(index, rules::TankPartEmpty(), row, oldCode);
    case Rule::TankItem: return rules::TankSlotCode(index, rules::TankItemEmpty(), row, oldCode);
    case Rule::Range: return rules::RangeCode(row, index, oldCode);
    case Rule::Users: return rules::UsersMask(index, oldCode);
    case Rule::Item: return rules::ItemSlotCode(index, oldCode);
    case Rule::Equipment: return rules::EquipmentSlotCode(index, oldCode);
    case Rule::Attack: return rules::AttackCode(row, index, oldCode);
    }
    return oldCode;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Refuses the texts the save pass would refuse, by asking it about exactly these texts in
// this row. A text unchanged since the load passes as the save pass lets it pass.
CRowDlg::Refusal CheckTexts(const rom::Table& table, int row, const std::vector<int>& columns,
                            const QStringList& texts)
{
    rom::Edit edit(table.Id());
    for (size_t i = 0; i < columns.size() && i < static_cast<size_t>(texts.size()); ++i)
        edit.SetCell(row, columns[i], texts[static_cast<int>(i)].toStdString());
    for (const rom::CellError& error : rom::CheckEdit(table, edit)) {
        const auto it = std::find(columns.begin(), columns.end(), error.column);
        if (it != columns.end())
            return {static_cast<int>(it - columns.begin()), Q(error.reason)};
    }
    return {};
}

} // namespace

bool HasRowEditor(const std::string& tableId) { return Find(tableId) != nullptr; }

std::unique_ptr<QDialog> CreateRowEditor(QWidget* parent, const rom::Table& table, int row)
{
    const Editor* editor = Find(table.Id());
    if (!editor || row < 0 || row >= table.Rows())
        return nullptr;
    std::unique_ptr<CRowDlg> dialog = MakeDialog(DialogFor(*editor, row), parent);
    const std::vector<int> columns = table.Layout().ValueColumns();
    if (!dialog || dialog->TextCount() != static_cast<int>(columns.size()) ||
        dialog->IndexCount() != static_cast<int>(editor->lists.size()))
        return nullptr; // a layout that does not fit its table: nothing sensible to show

    dialog->SetTitle(Q(table.RowLabel(row)));
    for (size_t i = 0; i < columns.size(); ++i)
        dialog->SetText(static_cast<int>(i), Q(table.Cell(row, columns[i])));
    for (size_t i = 0; i < editor->lists.size(); ++i) {
        const CodeSlot& slot = editor->lists[i];
        dialog->SetIndex(static_cast<int>(i), ToIndex(slot.rule, row, table.Code(slot.array, row, slot.k)));
    }
    if (auto* monster = dynamic_cast<CMonsterDlgBase*>(dialog.get())) {
        monster->SetDrop(CMonsterDlgBase::Early, table.Code("early_category", row),
                         table.Code("early_loot", row));
        monster->SetDrop(CMonsterDlgBase::Late, table.Code("late_category", row),
                         table.Code("late_loot", row));
    }
    // The dialog must not outlive the table it checks against; it lives for one edit.
    dialog->SetCheck(
        [&table, row, columns](const QStringList& texts) { return CheckTexts(table, row, columns, texts); });
    return dialog;
}

rom::Edit RowEditorEdit(const QDialog& dialog, const rom::Table& table, int row)
{
    rom::Edit edit(table.Id());
    const auto* editorDialog = dynamic_cast<const CRowDlg*>(&dialog);
    const Editor* editor = Find(table.Id());
    if (!editorDialog || !editor || row < 0 || row >= table.Rows())
        return edit;

    // Text fields first, in ascending column order.
    const std::vector<int> columns = table.Layout().ValueColumns();
    for (size_t i = 0; i < columns.size() && static_cast<int>(i) < editorDialog->TextCount(); ++i)
        edit.SetCell(row, columns[i], editorDialog->Text(static_cast<int>(i)).toStdString());

    // Then the codes; the document rebuilds the cells that show them as the load builds them.
    for (size_t i = 0; i < editor->lists.size() && static_cast<int>(i) < editorDialog->IndexCount(); ++i) {
        const CodeSlot& slot = editor->lists[i];
        const int old = table.Code(slot.array, row, slot.k);
        edit.SetCode(slot.array, row, slot.k,
                     ToCode(slot.rule, row, editorDialog->Index(static_cast<int>(i)), old));
    }
    if (const auto* monster = dynamic_cast<const CMonsterDlgBase*>(editorDialog)) {
        edit.SetCode("early_category", row, 0, monster->Category(CMonsterDlgBase::Early));
        edit.SetCode("late_category", row, 0, monster->Category(CMonsterDlgBase::Late));
        edit.SetCode("early_loot", row, 0, monster->LootCode(CMonsterDlgBase::Early));
        edit.SetCode("late_loot", row, 0, monster->LootCode(CMonsterDlgBase::Late));
    }
    return edit;
}

std::optional<rom::Edit> EditRow(QWidget* parent, const rom::Table& table, int row)
{
    std::unique_ptr<QDialog> dialog = CreateRowEditor(parent, table, row);
    if (!dialog || widgets::Prompts::RunModal(*dialog) != QDialog::Accepted)
        return std::nullopt;
    return RowEditorEdit(*dialog, table, row);
}

} // namespace dravik::editors
