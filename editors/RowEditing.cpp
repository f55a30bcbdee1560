#include "editors/RowEditing.h"

#include <algorithm>

#include "editors/CRowDlg.h"
#include "editors/CodeRules.h"
#include "editors/DialogLayout.h"
#include "editors/LootDrops.h"
#include "names/Names.h"
#include "rom/Review.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::editors {

namespace {

using widgets::Q;

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
    for (const rom::Error& error : rom::CheckEdit(table, edit)) {
        const auto it = std::find(columns.begin(), columns.end(), error.columnIndex);
        if (it != columns.end())
            return {static_cast<int>(it - columns.begin()), Q(rom::Reason(error))};
    }
    return {};
}

// A row's editor: the dialog, filled, and what its controls are bound to.
struct OpenEditor {
    std::unique_ptr<CRowDlg> dialog;
    Binding binding;
};

// The loot drop's code and its category, by the drop's code array (whose naming names the
// category array).
void SetDrop(LootDrops& drops, LootDrops::Drop drop, const rom::Table& table, int row)
{
    const char* loot = kLootDrops[drop].loot;
    drops.Set(drop, table.Code(table.Layout().FindCodeArray(loot)->naming.chooser, row),
              table.Code(loot, row));
}

void ReadDrop(const LootDrops& drops, LootDrops::Drop drop, const rom::Table& table, int row, rom::Edit& edit)
{
    const char* loot = kLootDrops[drop].loot;
    edit.SetCode(table.Layout().FindCodeArray(loot)->naming.chooser, row, 0, drops.Category(drop));
    edit.SetCode(loot, row, 0, drops.LootCode(drop));
}

std::optional<OpenEditor> Open(QWidget* parent, const rom::Table& table, int row)
{
    const DialogLayout* layout = RowEditorLayout(table.Id());
    if (!layout || row < 0 || row >= table.Rows())
        return std::nullopt;
    OpenEditor open{std::make_unique<CRowDlg>(*layout, table.Names(), parent), {}};
    CRowDlg& dialog = *open.dialog;
    open.binding = Bind(dialog, table.Layout());
    const Binding& binding = open.binding;
    if (!binding.problems.empty())
        return std::nullopt; // a layout that does not fit its table (a test keeps this from happening)

    const std::vector<int> columns = binding.columns;
    dialog.SetTitle(Q(table.RowLabel(row)));
    for (size_t i = 0; i < columns.size(); ++i)
        dialog.SetText(static_cast<int>(i), Q(table.Cell(row, columns[i])));
    for (size_t i = 0; i < binding.lists.size(); ++i) {
        const Binding::Slot& slot = binding.lists[i];
        dialog.SetChoices(static_cast<int>(i), slot.naming->ListTexts(table.Names(), row));
        dialog.SetIndex(static_cast<int>(i),
                        slot.naming->ListIndex(row, table.Code(slot.array, row, slot.k)));
    }
    if (LootDrops* drops = dialog.Drops())
        for (LootDrops::Drop drop : {LootDrops::Early, LootDrops::Late})
            SetDrop(*drops, drop, table, row);
    // The dialog must not outlive the table it checks against; it lives for one edit.
    dialog.SetCheck(
        [&table, row, columns](const QStringList& texts) { return CheckTexts(table, row, columns, texts); });
    return open;
}

// What a dialog closed with "确定" asks the row to hold: its text fields, then its codes.
rom::Edit ReadEdit(const OpenEditor& open, const rom::Table& table, int row)
{
    const CRowDlg& dialog = *open.dialog;
    const Binding& binding = open.binding;
    rom::Edit edit(table.Id());
    // Text fields first, in the order of their edit boxes (ascending columns).
    for (size_t i = 0; i < binding.columns.size(); ++i)
        edit.SetCell(row, binding.columns[i], dialog.Text(static_cast<int>(i)).toStdString());

    // Then the codes; the document rebuilds the cells that show them as the load builds them.
    for (size_t i = 0; i < binding.lists.size(); ++i) {
        const Binding::Slot& slot = binding.lists[i];
        const int old = table.Code(slot.array, row, slot.k);
        edit.SetCode(slot.array, row, slot.k,
                     slot.naming->CodeForIndex(row, dialog.Index(static_cast<int>(i)), old));
    }
    if (const LootDrops* drops = dialog.Drops())
        for (LootDrops::Drop drop : {LootDrops::Early, LootDrops::Late})
            ReadDrop(*drops, drop, table, row, edit);
    return edit;
}

} // namespace

bool HasRowEditor(const std::string& tableId) { return RowEditorLayout(tableId) != nullptr; }

std::vector<std::string> RowEditorKeyProblems(const rom::Table& table, int row)
{
    const DialogLayout* layout = RowEditorLayout(table.Id());
    if (!layout || row < 0 || row >= table.Rows())
        return {};
    const CRowDlg dialog(*layout, table.Names());
    return Bind(dialog, table.Layout()).problems;
}

std::unique_ptr<CRowDlg> CreateRowEditor(QWidget* parent, const rom::Table& table, int row)
{
    std::optional<OpenEditor> open = Open(parent, table, row);
    return open ? std::move(open->dialog) : nullptr;
}

std::optional<rom::Edit> EditRow(QWidget* parent, const rom::Table& table, int row)
{
    const std::optional<OpenEditor> open = Open(parent, table, row);
    if (!open || widgets::Prompts::For(open->dialog.get()).RunModal(*open->dialog) != QDialog::Accepted)
        return std::nullopt;
    return ReadEdit(*open, table, row);
}

} // namespace dravik::editors
