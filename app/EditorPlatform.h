#pragma once
// The window's calls that block on the user: the file dialog, message boxes, modal dialogs and the
// row editors. Tests replace them with recorders so that nothing waits for a click.
#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

#include "rom/Change.h"
#include "rom/Table.h"

class QDialog;
class QWidget;

namespace dravik::app {

struct EditorPlatform {
    // The path of the file to open, or empty when the user cancelled.
    std::function<QString(QWidget* parent)> chooseOpenPath;
    std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)>
        showMessage;
    // Runs the About box or the base converter modally.
    std::function<void(QDialog& dialog)> runModal;
    // Edits one row in its editor dialog: what "确定" asks the row to hold, nothing on "取消".
    std::function<std::optional<rom::Edit>(QWidget* parent, const rom::Table& table, int row)> editRow;

    // The real dialogs; any member left empty in a platform given to the window is taken from here.
    static EditorPlatform Default();
    EditorPlatform WithDefaults() const;
};

} // namespace dravik::app
