#pragma once
// A read-only Qt model over one table of the document: the cells as display text, the column
// titles as headers. The table is changed elsewhere (load, editors, price boxes); whoever
// changes it tells the model which cells to repaint.
#include <QAbstractTableModel>

#include "rom/Change.h"
#include "rom/Table.h"

namespace dravik::app {

class ReferenceMarks;

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(rom::Table& table, QObject* parent = nullptr);

    rom::Table& Table() const { return *table_; }
    // Cells that differ from a reference image are marked, with the reference's value in their
    // tool tip; the marks must outlive the model.
    void ShowMarks(const ReferenceMarks* marks) { marks_ = marks; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Repaints exactly the cells a document change touched, and those showing a changed code.
    void Changed(const rom::Change& change);
    void RefreshCell(int row, int column);
    void RefreshAll();

private:
    rom::Table* table_;
    const ReferenceMarks* marks_ = nullptr;
};

} // namespace dravik::app
