#include "rom/Table.h"

#include <stdexcept>

namespace dravik::rom {

namespace {
const std::string kEmptyText;
}

Table::Table(const TableLayout& layout) : layout_(&layout), id_(layout.id)
{
    const size_t columns = layout.columns.size();
    for (const std::string& label : layout.rowLabels) {
        std::vector<std::string> row(columns);
        row[0] = label;
        cells_.push_back(std::move(row));
    }
    baseline_ = cells_;
    for (const CodeArraySpec& array : layout.codeArrays)
        codes_.push_back(CodeArray{array.name, array.perRow, array.column,
                                   std::vector<int>(static_cast<size_t>(array.perRow * Rows()), 0)});
    baselineCodes_ = codes_;
}

const std::string& Table::Id() const { return id_; }

const std::string& Table::Cell(int row, int column) const
{
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns())
        return kEmptyText;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void Table::SetCell(int row, int column, const std::string& text)
{
    if (row < 0 || row >= Rows() || column <= 0 || column >= Columns())
        return;
    cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

CodeArray* Table::FindCodes(const std::string& name)
{
    for (CodeArray& a : codes_)
        if (a.name == name)
            return &a;
    return nullptr;
}

const CodeArray* Table::FindCodes(const std::string& name) const
{
    return const_cast<Table*>(this)->FindCodes(name);
}

int Table::Code(const std::string& name, int row, int k) const
{
    const CodeArray* a = FindCodes(name);
    if (!a)
        throw std::logic_error("no code array " + name + " in " + id_);
    return a->At(row, k);
}

void Table::SetCode(const std::string& name, int row, int k, int value)
{
    CodeArray* a = FindCodes(name);
    if (!a)
        throw std::logic_error("no code array " + name + " in " + id_);
    a->At(row, k) = value;
}

void Table::RefreshLabels(int row)
{
    if (layout_->labels && row >= 0 && row < Rows())
        layout_->labels(*this, row);
}

void Table::RefreshAllLabels()
{
    for (int row = 0; row < Rows(); ++row)
        RefreshLabels(row);
}

const std::string& Table::BaselineCell(int row, int column) const
{
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns())
        return kEmptyText;
    return baseline_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

int Table::BaselineCode(const std::string& name, int row, int k) const
{
    for (const CodeArray& a : baselineCodes_)
        if (a.name == name)
            return a.At(row, k);
    throw std::logic_error("no code array " + name + " in " + id_);
}

void Table::SetBaseline()
{
    baseline_ = cells_;
    baselineCodes_ = codes_;
}

Model::Model()
{
    for (const TableLayout& layout : AllLayouts())
        tables_.emplace_back(layout);
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
        throw std::logic_error("no table " + id);
    return *t;
}

const Table& Model::Get(const std::string& id) const { return const_cast<Model*>(this)->Get(id); }

} // namespace dravik::rom
