#pragma once
// The model the window and the command line show: per table the column titles, row labels,
// cell texts and code arrays. Column 0 of every row is its label and is never written to the
// image; numeric fields live as cell text until the save pass converts them. Labels and the
// cells that show codes are not stored: they are looked up in the table's name set (the
// model's) each time they are read, so a switch of names never changes a value.
#include <string>
#include <vector>

#include "rom/Layout.h"

namespace dravik::rom {

struct CodeArray {
    std::string name;
    int perRow = 1;
    int column = -1;         // the cell showing entry 0 as a name (entry k at column + k), -1 for none
    std::vector<int> values; // rows * perRow, row-major

    int& At(int row, int k = 0) { return values[static_cast<size_t>(row * perRow + k)]; }
    int At(int row, int k = 0) const { return values[static_cast<size_t>(row * perRow + k)]; }
};

class Table {
public:
    explicit Table(const TableLayout& layout);

    const TableLayout& Layout() const { return *layout_; }
    const std::string& Id() const;
    const std::string& Title() const { return layout_->columns[0]; }
    int Rows() const { return static_cast<int>(cells_.size()); }
    int Columns() const { return static_cast<int>(layout_->columns.size()); }
    // Empty for a column outside the table, as Cell is.
    const std::string& ColumnTitle(int column) const;
    std::string RowLabel(int row) const { return layout_->rowNames.Label(*names_, row); }
    // The name set its labels and codes are shown with.
    const names::NameSet& Names() const { return *names_; }
    const names::NameSetPtr& SharedNames() const { return names_; }
    // A column that holds a number as text (not the label, not a code's name).
    bool IsValueColumn(int column) const;

    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text); // value columns only: others ignored

    std::vector<CodeArray>& CodeArrays()
    {
        codesSet_ = true;
        return codes_;
    }
    const std::vector<CodeArray>& CodeArrays() const { return codes_; }
    const CodeArray* FindCodes(const std::string& name) const;
    // The array must exist (a name taken from input is looked up with FindCodes first).
    int Code(const std::string& name, int row, int k = 0) const;
    void SetCode(const std::string& name, int row, int k, int value);

    // The texts and codes as the last load (or successful save) left them. A cell that still
    // holds this text is unchanged since then; codes count, as the same name can show two codes.
    std::string BaselineCell(int row, int column) const;
    int BaselineCode(const std::string& name, int row, int k = 0) const;
    void SetBaseline(); // baseline := current cells and codes
    // True when the cell's text, or a code the cell shows, differs from the baseline.
    bool IsChanged(int row, int column) const;
    // The cell that shows a code entry as a name, or -1.
    int CodeColumn(const std::string& name, int k) const;

private:
    std::string CodeText(int row, int column) const;

    friend class Model; // sets the name set of its tables

    const TableLayout* layout_;
    names::NameSetPtr names_ = names::NameSet::BuiltInPtr();
    std::string id_;
    std::vector<std::vector<std::string>> cells_;
    std::vector<std::vector<std::string>> baseline_;
    std::vector<CodeArray> codes_;
    std::vector<CodeArray> baselineCodes_;
    std::vector<bool> valueColumn_;
    bool codesSet_ = false; // until a load or an edit sets codes, code cells show nothing
};

class Model {
public:
    // Every table of AllLayouts(): value cells empty, codes 0, shown with `names` (the
    // compiled-in set for none).
    explicit Model(names::NameSetPtr names = nullptr);

    const names::NameSet& Names() const { return *names_; }
    const names::NameSetPtr& SharedNames() const { return names_; }
    // Shows every table with another name set; no value changes.
    void SetNames(names::NameSetPtr names);

    std::vector<Table>& Tables() { return tables_; }
    const std::vector<Table>& Tables() const { return tables_; }
    Table* Find(const std::string& id);
    const Table* Find(const std::string& id) const;
    Table& Get(const std::string& id);             // the id must exist
    const Table& Get(const std::string& id) const; // the id must exist

private:
    names::NameSetPtr names_;
    std::vector<Table> tables_;
};

} // namespace dravik::rom
