#pragma once
// The field diff of the open image (with its pending edits) against another image, as a list:
// table, row, column, this file's text, the other file's. Double-clicking a field asks the window
// to show that table's page with the row selected; the dialog stays open beside it.
#include <QDialog>

#include "rom/ImageDiff.h"

namespace dravik::app {

class DiffDialog : public QDialog {
    Q_OBJECT
public:
    DiffDialog(const rom::ImageDiff& diff, const QString& thisFile, const QString& otherFile,
               QWidget* parent = nullptr);

signals:
    // row counted from 0, as the model counts
    void FieldChosen(const QString& tableId, int row);
};

} // namespace dravik::app
