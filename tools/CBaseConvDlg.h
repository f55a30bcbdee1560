#pragma once
// The base converter dialog: a number, its base, the wanted base, "计算", the result.
#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CBaseConvDlg : public QDialog {
    Q_OBJECT
public:
    // Shows a refusal to the user. The default is a critical (stop icon) message box.
    using MessageFn = std::function<void(QWidget* parent, const QString& text, const QString& caption)>;

    explicit CBaseConvDlg(QWidget* parent = nullptr);
    ~CBaseConvDlg() override;

    // Replaces the message box for every converter dialog (tests install a recorder);
    // an empty function restores the default. Returns the previous hook.
    static MessageFn SetMessageHook(MessageFn fn);

    QPlainTextEdit* input() const { return m_input; }
    QComboBox* fromCombo() const { return m_from; }
    QComboBox* toCombo() const { return m_to; }
    QPushButton* computeButton() const { return m_compute; }
    QLineEdit* result() const { return m_result; }

public slots:
    // Converts the input box's text and writes the result box, or empties it and
    // shows why the input was refused.
    void onCompute();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPlainTextEdit* m_input = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QPushButton* m_compute = nullptr;
    QLineEdit* m_result = nullptr;
};
