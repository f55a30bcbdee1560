#pragma once
// Row editing: a double-click on a list row opens that table's editor dialog filled from the
// row's cells and codes; "确定" writes the text fields back first, then the code fields, each
// in ascending column order; "取消" changes nothing. Dialogs only carry values: what "确定"
// asks for is returned as an edit, which the window applies through the document.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/CRowDlg.h"
#include "rom/Change.h"
#include "rom/Table.h"

namespace dravik::editors {

// Whether a double-click on a row of this table opens an editor dialog.
bool HasRowEditor(const std::string& tableId);

// What the keys of this row's editor dialog name that the table lacks (and value columns no
// edit box shows); empty when every key fits. CreateRowEditor opens no dialog that does not fit.
std::vector<std::string> RowEditorKeyProblems(const rom::Table& table, int row);

// The editor dialog for one row, filled but not yet shown; nullptr for tables without one.
std::unique_ptr<CRowDlg> CreateRowEditor(QWidget* parent, const rom::Table& table, int row);

// Create, run modally; the edit "确定" asks for, nothing on "取消".
std::optional<rom::Edit> EditRow(QWidget* parent, const rom::Table& table, int row);

} // namespace dravik::editors
