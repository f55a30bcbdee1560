#pragma once
// The one-line edit box of the window and the dialogs. It is a line edit, so its whole text is
// always in view on one line, centred as the desktop's own boxes are, and moving into it by Tab
// or by opening a dialog selects its text while a click places the caret. Unlike a plain line
// edit, Enter typed into it stays in the text as a line break (shown as a space) instead of
// pressing the dialog's default button, so that the text is exactly what was typed; it never
// replaces a selected value.
#include <QLineEdit>

namespace dravik::widgets {

class LineBox : public QLineEdit {
    Q_OBJECT
public:
    explicit LineBox(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dravik::widgets
