#include "app/TableModel.h"

#include <QBrush>
#include <QFont>
#include <QGuiApplication>

#include <set>

#include "app/ReferenceMarks.h"
#include "widgets/Marks.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
const QList<int> kRoles = {Qt::DisplayRole, Qt::ToolTipRole, Qt::FontRole, Qt::BackgroundRole};
} // namespace

TableModel::TableModel(rom::Table& table, QObject* parent) : QAbstractTableModel(parent), table_(&table) {}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_->Rows(); }

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_->Columns();
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= table_->Rows() || index.column() >= table_->Columns())
        return {};
    const std::string* reference = marks_ && role != Qt::DisplayRole
                                       ? marks_->ReferenceText(table_->Id(), index.row(), index.column())
                                       : nullptr;
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(table_->Cell(index.row(), index.column()));
    case Qt::ToolTipRole: { // names longer than their column can still be read whole
        const QString text = QString::fromStdString(table_->Cell(index.row(), index.column()));
        return reference ? tr("%1\n参照值：%2").arg(text, QString::fromStdString(*reference)) : text;
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    // A value changed since the last Open or Save stands out until it is saved or undone; one that
    // differs from the reference is slanted and, unless it is changed, washed blue.
    case Qt::FontRole: {
        const bool changed = table_->IsChanged(index.row(), index.column());
        if (!changed && !reference)
            return {};
        QFont font;
        font.setBold(changed);
        font.setItalic(reference != nullptr);
        return font;
    }
    case Qt::BackgroundRole:
        if (table_->IsChanged(index.row(), index.column()))
            return QBrush(widgets::ChangedMark(QGuiApplication::palette()));
        if (reference)
            return QBrush(widgets::ReferenceMark(QGuiApplication::palette()));
        return {};
    default: return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= table_->Columns())
            return {};
        if (role == Qt::DisplayRole)
            return widgets::Title(table_->ColumnTitle(section));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    if (role == Qt::DisplayRole && section >= 0 && section < table_->Rows())
        return section;
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TableModel::RefreshCell(int row, int column)
{
    if (row < 0 || row >= table_->Rows() || column < 0 || column >= table_->Columns())
        return;
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, kRoles);
}

void TableModel::Changed(const rom::Change& change)
{
    if (change.tableId != table_->Id())
        return;
    std::set<std::pair<int, int>> cells;
    for (const rom::CellChange& c : change.cells)
        cells.insert({c.row, c.column});
    for (const rom::CodeChange& c : change.codes) {
        const int column = table_->CodeColumn(c.array, c.k);
        if (column >= 0)
            cells.insert({c.row, column});
    }
    for (const auto& [row, column] : cells)
        RefreshCell(row, column);
}

void TableModel::RefreshAll()
{
    if (table_->Rows() == 0)
        return;
    emit dataChanged(index(0, 0), index(table_->Rows() - 1, table_->Columns() - 1), kRoles);
}

} // namespace dravik::app
