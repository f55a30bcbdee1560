#include "editors/RowEditing.h"

#include <algorithm>

#include "editors/CodeRules.h"
#include "editors/RowDialogs.h"
#include "names/Names.h"
#include "rom/Review.h"
#include "widgets/Prompts.h"

namespace dravik::editors {

namespace {

// One table's editor: its dialog. Edit boxes and lists say by key which field or code entry
// they edit; a list maps positions to codes as the entry's naming declares (rom/Layout.h).
struct Editor {
    const char* tableId;
    DialogId dialog;
};

const std::vector<Editor>& Editors()
{
    static const std::vector<Editor> editors = {
        {"main_cannons", DialogId::MainCannon},
        {"sub_cannons", DialogId::SubCannon},
        {"special_cannons", DialogId::SpecialCannon},
        {"control_systems", DialogId::ControlSystem},
        {"engines", DialogId::Engine},
        {"tanks", DialogId::Tank},
        {"human_weapons", DialogId::HumanWeapon},
        {"head_armour", DialogId::HumanArmor},
        {"body_armour", DialogId::HumanArmor},
        {"hand_foot_armour", DialogId::HumanArmor},
        {"armour_pieces", DialogId::HumanArmor},
        {"characters", DialogId::Character},
        // Rows on attack list A get the second variant, see DialogFor. The loot categories and
        // codes are the monster dialog's own (SetDrop).
        {"monsters", DialogId::Monster},
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

QString Q(const std::string& text) { return QString::fromStdString(text); }

// What a dialog's keys name in the table: the column of each edit box and the code entry and
// rule of each list, in the dialog's order; problems lists every key that names nothing and
// every value column no edit box shows.
struct Binding {
    struct Slot {
        std::string array;
        int k;
        const rom::CodeNaming* naming;
    };
    std::vector<int> columns;
    std::vector<Slot> lists;
    std::vector<std::string> problems;
};

Binding Bind(const CRowDlg& dialog, const rom::TableLayout& layout)
{
    Binding b;
    for (int i = 0; i < dialog.TextCount(); ++i) {
        const std::vector<int> values = layout.ValueColumns();
        const int column = layout.Column(dialog.TextKey(i));
        if (std::find(values.begin(), values.end(), column) == values.end())
            b.problems.push_back("edit box \"" + dialog.TextKey(i) + "\" names no value field");
        b.columns.push_back(column);
    }
    for (int column : layout.ValueColumns())
        if (std::count(b.columns.begin(), b.columns.end(), column) != 1)
            b.problems.push_back("value column " + std::to_string(column) +
                                 " is not in exactly one edit box");
    for (int i = 0; i < dialog.IndexCount(); ++i) {
        const std::optional<rom::TableLayout::Entry> entry = layout.CodeEntry(dialog.IndexKey(i));
        const rom::CodeArraySpec* arrayDecl =
            entry ? &layout.codeArrays[static_cast<size_t>(entry->array)] : nullptr;
        if (!arrayDecl || !arrayDecl->naming.named || arrayDecl->naming.Chosen())
            b.problems.push_back("list \"" + dialog.IndexKey(i) + "\" names no code entry named by one list");
        else
            b.lists.push_back({arrayDecl->name, entry->k, &arrayDecl->naming});
    }
    return b;
}

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

std::vector<std::string> RowEditorKeyProblems(const rom::Table& table, int row)
{
    const Editor* editor = Find(table.Id());
    if (!editor)
        return {};
    const std::unique_ptr<CRowDlg> dialog = MakeDialog(DialogFor(*editor, row), nullptr);
    return Bind(*dialog, table.Layout()).problems;
}

std::unique_ptr<QDialog> CreateRowEditor(QWidget* parent, const rom::Table& table, int row)
{
    const Editor* editor = Find(table.Id());
    if (!editor || row < 0 || row >= table.Rows())
        return nullptr;
    std::unique_ptr<CRowDlg> dialog = MakeDialog(DialogFor(*editor, row), parent);
    if (!dialog)
        return nullptr;
    const Binding binding = Bind(*dialog, table.Layout());
    if (!binding.problems.empty())
        return nullptr; // a layout that does not fit its table (a test keeps this from happening)

    const std::vector<int> columns = binding.columns;
    dialog->SetTitle(Q(table.RowLabel(row)));
    for (size_t i = 0; i < columns.size(); ++i)
        dialog->SetText(static_cast<int>(i), Q(table.Cell(row, columns[i])));
    for (size_t i = 0; i < binding.lists.size(); ++i) {
        const Binding::Slot& slot = binding.lists[i];
        dialog->SetChoices(static_cast<int>(i), slot.naming->ListTexts(row));
        dialog->SetIndex(static_cast<int>(i),
                         slot.naming->ListIndex(row, table.Code(slot.array, row, slot.k)));
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

    const Binding binding = Bind(*editorDialog, table.Layout());
    if (!binding.problems.empty())
        return edit;

    // Text fields first, in the order of their edit boxes (ascending columns).
    for (size_t i = 0; i < binding.columns.size(); ++i)
        edit.SetCell(row, binding.columns[i], editorDialog->Text(static_cast<int>(i)).toStdString());

    // Then the codes; the document rebuilds the cells that show them as the load builds them.
    for (size_t i = 0; i < binding.lists.size(); ++i) {
        const Binding::Slot& slot = binding.lists[i];
        const int old = table.Code(slot.array, row, slot.k);
        edit.SetCode(slot.array, row, slot.k,
                     slot.naming->CodeForIndex(row, editorDialog->Index(static_cast<int>(i)), old));
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
    if (!dialog || widgets::Prompts::For(dialog.get()).RunModal(*dialog) != QDialog::Accepted)
        return std::nullopt;
    return RowEditorEdit(*dialog, table, row);
}

} // namespace dravik::editors
