#pragma once
// 查看修改: every field changed since the last Open or Save (table, row, column, old -> new), the
// bytes the next Save writes, or why it would refuse. Double-clicking a field closes the dialog
// and tells the window which row to show. The same list asks before a paste is applied.
#include <QDialog>

#include <string>

#include "rom/Review.h"

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace dravik::app {

class ChangeReviewDialog : public QDialog {
    Q_OBJECT
public:
    ChangeReviewDialog(const rom::Review& review, QWidget* parent = nullptr);
    // The review of changes not made yet (a paste): question says what 确定 will do; 取消 drops it.
    ChangeReviewDialog(const rom::Review& review, const QString& question, QWidget* parent = nullptr);

    // The field double-clicked, when the dialog closed that way.
    bool HasChosen() const { return chosen_ >= 0; }
    const rom::ReviewEntry& Chosen() const { return review_.entries[static_cast<size_t>(chosen_)]; }

private:
    rom::Review review_;
    int chosen_ = -1;
};

} // namespace dravik::app
