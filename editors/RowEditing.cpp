#include "editors/RowEditing.h"

// Placeholder until the row editors exist.
namespace dravik::editors {

bool HasRowEditor(const std::string&) { return false; }
std::unique_ptr<QDialog> CreateRowEditor(QWidget*, const rom::Table&, int) { return nullptr; }
void ApplyRowEditor(const QDialog&, rom::Table&, int) {}
bool EditRow(QWidget* parent, rom::Table& table, int row)
{
    std::unique_ptr<QDialog> dialog = CreateRowEditor(parent, table, row);
    if (!dialog || dialog->exec() != QDialog::Accepted)
        return false;
    ApplyRowEditor(*dialog, table, row);
    return true;
}

} // namespace dravik::editors
