#pragma once
// The one-line text box of the window, the row editors and the base converter: one line high,
// but Enter typed into it stays in the text as a line break instead of reaching the window (a
// line edit would swallow it), so what the user typed is exactly what reaches the cell. The line
// scrolls sideways with the cursor; there are no scroll bars; Tab moves on.
#include <QPlainTextEdit>

namespace dravik::widgets {

class LineBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LineBox(QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    void SetText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CentreLine();
};

} // namespace dravik::widgets
