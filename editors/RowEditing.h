#pragma once
// Row editing: a double-click on a list row opens that table's editor dialog filled from the
// row's cells and codes; "确定" writes the text fields back first, then the code fields, each
// in ascending column order; "取消" changes nothing. Dialogs only carry values: the changes are
// applied to the model here, in one place.
#include <QDialog>
#include <memory>
#include <string>

#include "rom/Table.h"

namespace dravik::editors {

bool HasRowEditor(const std::string& tableId);

// The editor dialog for one row, filled but not yet shown; nullptr for tables without one.
std::unique_ptr<QDialog> CreateRowEditor(QWidget* parent, const rom::Table& table, int row);

// Writes a dialog closed with "确定" back into the row.
void ApplyRowEditor(const QDialog& dialog, rom::Table& table, int row);

// Create, run modally, apply on "确定". Returns true when the row was changed.
bool EditRow(QWidget* parent, rom::Table& table, int row);

} // namespace dravik::editors
