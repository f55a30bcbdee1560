#pragma once
// The row editor dialog, built from a DialogLayout. It carries values only: the editor title,
// one string per edit box and one drop-down position per exchanged list (-1: no selection).
// The setters show a value at once; "确定" reads every control back into the members and
// closes with Accepted; "取消", Esc and the close box read nothing back.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "editors/DialogLayout.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class CRowDlg : public QDialog {
    Q_OBJECT
public:
    CRowDlg(const dravik::editors::DialogLayout& layout, QWidget* parent = nullptr);
    ~CRowDlg() override;

    const dravik::editors::DialogLayout& Layout() const { return *m_layout; }

    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);

    // Edit boxes in ascending id order: the i-th one is the row's i-th value column.
    int TextCount() const { return static_cast<int>(m_edits.size()); }
    const QString& Text(int i) const { return m_texts[i]; }
    void SetText(int i, const QString& text);

    // Exchanged drop-down lists in ascending id order.
    int IndexCount() const { return static_cast<int>(m_combos.size()); }
    int Index(int i) const { return m_indexes[static_cast<size_t>(i)]; }
    void SetIndex(int i, int index);      // an index without an entry leaves the list unselected
    int IndexPosition(int comboId) const; // i of an exchanged list, -1 for other ids

    QPlainTextEdit* EditById(int id) const;
    QComboBox* ComboById(int id) const; // exchanged lists and the dialog's own lists
    QPushButton* ButtonById(int id) const;

    // A last look at the edit texts before "确定" takes them. A refusal names the edit box
    // (its position as for Text()) and says why; the dialog shows it and stays open.
    struct Refusal {
        int text = -1;  // -1: nothing to refuse
        QString reason; // e.g. "不是数字"
    };
    using Check = std::function<Refusal(const QStringList& texts)>;
    void SetCheck(Check check) { m_check = std::move(check); }

    // Shows a refusal to the user; the default is a warning message box. Tests install a
    // recorder. An empty function restores the default; returns the previous hook.
    using MessageFn = std::function<void(QWidget* parent, const QString& text, const QString& caption)>;
    static MessageFn SetMessageHook(MessageFn fn);

    // The label text beside an edit box, for messages.
    QString EditLabel(int i) const;

public slots:
    void accept() override;

protected:
    // Reads the controls into the members, as "确定" does.
    virtual void ReadControls();

private:
    const dravik::editors::DialogLayout* m_layout;
    QLabel* m_titleLabel = nullptr;
    std::vector<QPlainTextEdit*> m_edits;
    std::vector<QString> m_editLabels;
    std::vector<QComboBox*> m_combos;
    QString m_title;
    QStringList m_texts;
    std::vector<int> m_indexes;
    Check m_check;
};
