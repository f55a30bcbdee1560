#pragma once
// The base converter dialog: a number, its base, the wanted base, "计算", the result.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace dravik::widgets {
class LineBox;
}

namespace dravik::tools {

class CBaseConvDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBaseConvDlg(QWidget* parent = nullptr);
    ~CBaseConvDlg() override;

public slots:
    // Converts the input box's text and writes the result box, or empties it and
    // shows why the input was refused (a stop-icon message box).
    void OnCompute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    widgets::LineBox* input_ = nullptr;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QPushButton* compute_ = nullptr;
    QLineEdit* result_ = nullptr;
};

} // namespace dravik::tools
