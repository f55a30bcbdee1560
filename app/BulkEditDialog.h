#pragma once
// 批量修改: one value column of the selected rows (or of every row) worked out from a formula in x
// (the value a row holds) and r (its row number from 1). The preview lists each row's old and new
// value and marks what does not fit its field, as Save would refuse it; that blocks 确定.
#include <QDialog>

#include <vector>

#include "rom/Formula.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace dravik::app {

class BulkEditDialog : public QDialog {
    Q_OBJECT
public:
    // selected: the rows chosen in the list (from 0); column: the one to start with when it holds
    // numbers. The table must outlive the dialog.
    BulkEditDialog(const rom::Table& table, std::vector<int> selected, int column, QWidget* parent = nullptr);

    // After 确定: the edit to apply as one step, and that step's name.
    const rom::Edit& Result() const { return plan_.edit; }
    QString StepName() const;
    const rom::BulkPlan& Plan() const { return plan_; }

private:
    void Preview();
    int Column() const;

    const rom::Table& table_;
    std::vector<int> selected_;
    rom::BulkPlan plan_;
    QComboBox* column_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QRadioButton* selectedRows_ = nullptr;
    QRadioButton* allRows_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace dravik::app
