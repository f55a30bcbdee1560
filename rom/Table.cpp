#include "rom/Table.h"

#include <stdexcept>

namespace dravik::rom {

namespace {
const std::string kEmptyText;

// A table or code array name that only the program's own code can get wrong: every name taken
// from a file, a record or the command line is checked against the layouts before it is used
// here (FindLayout, FindCodes, FindCodeArray). Reaching this is a programming error, not bad input.
[[noreturn]] void ProgrammingError(const std::string& what) { throw std::logic_error(what); }
} // namespace

Table::Table(const TableLayout& layout) : layout_(&layout), id_(layout.id)
{
    const size_t columns = layout.columns.size();
    cells_.assign(static_cast<size_t>(layout.Rows()), std::vector<std::string>(columns));
    baseline_ = cells_;
    valueColumn_.assign(columns, false);
    for (const int column : layout.ValueColumns())
        if (column > 0 && static_cast<size_t>(column) < columns)
            valueColumn_[static_cast<size_t>(column)] = true;
    for (const CodeArraySpec& array : layout.codeArrays)
        codes_.push_back(CodeArray{array.name, array.perRow, array.column,
                                   std::vector<int>(static_cast<size_t>(array.perRow * Rows()), 0)});
    baselineCodes_ = codes_;
}

const std::string& Table::Id() const { return id_; }

const std::string& Table::ColumnTitle(int column) const
{
    return column >= 0 && column < Columns() ? layout_->columns[static_cast<size_t>(column)] : kEmptyText;
}

bool Table::IsValueColumn(int column) const
{
    return column > 0 && column < Columns() && valueColumn_[static_cast<size_t>(column)];
}

std::string Table::Cell(int row, int column) const
{
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns())
        return kEmptyText;
    if (column == 0)
        return RowLabel(row);
    if (!IsValueColumn(column))
        return codesSet_ ? CodeText(row, column) : kEmptyText;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

std::string Table::CodeText(int row, int column) const
{
    const CodeCell cell = layout_->CellCode(column);
    if (cell.array < 0)
        return kEmptyText;
    const CodeArray& codes = codes_[static_cast<size_t>(cell.array)];
    const int chooser = cell.chooser < 0 ? 0 : codes_[static_cast<size_t>(cell.chooser)].At(row);
    return layout_->codeArrays[static_cast<size_t>(cell.array)].naming.Text(*names_, row,
                                                                            codes.At(row, cell.k), chooser);
}

void Table::SetCell(int row, int column, const std::string& text)
{
    if (row < 0 || row >= Rows() || !IsValueColumn(column))
        return;
    cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

const CodeArray* Table::FindCodes(const std::string& name) const
{
    for (const CodeArray& a : codes_)
        if (a.name == name)
            return &a;
    return nullptr;
}

int Table::Code(const std::string& name, int row, int k) const
{
    const CodeArray* a = FindCodes(name);
    if (!a)
        ProgrammingError("no code array " + name + " in " + id_);
    return a->At(row, k);
}

void Table::SetCode(const std::string& name, int row, int k, int value)
{
    for (CodeArray& a : CodeArrays())
        if (a.name == name) {
            a.At(row, k) = value;
            return;
        }
    ProgrammingError("no code array " + name + " in " + id_);
}

namespace {
bool SameRowCodes(const std::vector<CodeArray>& now, const std::vector<CodeArray>& then, int row)
{
    if (now.size() != then.size())
        return false;
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i].perRow != then[i].perRow)
            return false;
        for (int k = 0; k < now[i].perRow; ++k)
            if (now[i].At(row, k) != then[i].At(row, k))
                return false;
    }
    return true;
}
} // namespace

std::string Table::BaselineCell(int row, int column) const
{
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns())
        return kEmptyText;
    if (column > 0 && !IsValueColumn(column)) {
        // A code cell shows what the codes of its row make of it: where they are all as they
        // were (nearly always; the window asks this of every cell it draws), so is its text.
        if (SameRowCodes(codes_, baselineCodes_, row))
            return Cell(row, column);
        // The name the baseline codes show in the active name set.
        Table then(*layout_);
        then.codes_ = baselineCodes_;
        then.codesSet_ = codesSet_;
        return then.Cell(row, column);
    }
    return column == 0 ? RowLabel(row) : baseline_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

int Table::BaselineCode(const std::string& name, int row, int k) const
{
    for (const CodeArray& a : baselineCodes_)
        if (a.name == name)
            return a.At(row, k);
    ProgrammingError("no code array " + name + " in " + id_);
}

void Table::SetBaseline()
{
    baseline_ = cells_;
    baselineCodes_ = codes_;
}

bool Table::IsChanged(int row, int column) const
{
    if (row < 0 || row >= Rows() || column <= 0 || column >= Columns())
        return false;
    // A code cell whose row's codes are all as they were shows what it showed (see BaselineCell):
    // nothing to compare, and no text to build twice for each cell the window draws or measures.
    if (!IsValueColumn(column) && SameRowCodes(codes_, baselineCodes_, row))
        return false;
    if (Cell(row, column) != BaselineCell(row, column))
        return true;
    for (size_t i = 0; i < codes_.size(); ++i) {
        const CodeArray& a = codes_[i];
        if (a.column >= 0 && column >= a.column && column < a.column + a.perRow &&
            a.At(row, column - a.column) != baselineCodes_[i].At(row, column - a.column))
            return true;
    }
    return false;
}

int Table::CodeColumn(const std::string& name, int k) const
{
    const CodeArray* a = FindCodes(name);
    return a && a->column >= 0 && k >= 0 && k < a->perRow ? a->column + k : -1;
}

Model::Model(names::NameSetPtr names)
{
    tables_.reserve(AllLayouts().size()); // made in place: a table grown past would be copied
    for (const TableLayout& layout : AllLayouts())
        tables_.emplace_back(layout);
    SetNames(std::move(names));
}

void Model::SetNames(names::NameSetPtr names)
{
    names_ = names ? std::move(names) : names::NameSet::BuiltInPtr();
    for (Table& t : tables_)
        t.names_ = names_;
}

Table* Model::Find(const std::string& id)
{
    for (Table& t : tables_)
        if (t.Id() == id)
            return &t;
    return nullptr;
}

const Table* Model::Find(const std::string& id) const { return const_cast<Model*>(this)->Find(id); }

Table& Model::Get(const std::string& id)
{
    Table* t = Find(id);
    if (!t)
        ProgrammingError("no table " + id);
    return *t;
}

const Table& Model::Get(const std::string& id) const { return const_cast<Model*>(this)->Get(id); }

} // namespace dravik::rom
