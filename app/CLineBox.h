#pragma once
// The main window's edit box: one line high, but Enter typed into it stays in the text as a line
// break instead of reaching the window (a line edit would swallow it). The line scrolls
// sideways with the cursor; there are no scroll bars.
#include <QPlainTextEdit>

namespace dravik::app {

class CLineBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CLineBox(QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    void SetText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CentreLine();
};

} // namespace dravik::app
