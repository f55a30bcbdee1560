#pragma once
// The row editor dialog, built from a DialogLayout. It carries values only: the editor title,
// one string per edit box and one drop-down position per exchanged list (-1: no selection).
// The setters show a value at once; "确定" reads every control back into the members and
// closes with Accepted; "取消", Esc and the close box read nothing back.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editors/DialogLayout.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace dravik::widgets {
class LineBox;
}

namespace dravik::editors {

class LootDrops;

class CRowDlg : public QDialog {
    Q_OBJECT
public:
    // The drop-down lists of its layout show `names`.
    CRowDlg(const DialogLayout& layout, const names::NameSet& names, QWidget* parent = nullptr);
    ~CRowDlg() override;

    const DialogLayout& Layout() const { return *layout_; }

    const QString& Title() const { return title_; }
    void SetTitle(const QString& title);

    // Edit boxes in ascending id order; each edits the value field its key names.
    int TextCount() const { return static_cast<int>(edits_.size()); }
    const std::string& TextKey(int i) const { return textKeys_[static_cast<size_t>(i)]; }
    const QString& Text(int i) const { return texts_[i]; }
    void SetText(int i, const QString& text);

    // Exchanged drop-down lists in ascending id order; each edits the code entry its key names.
    int IndexCount() const { return static_cast<int>(combos_.size()); }
    const std::string& IndexKey(int i) const { return indexKeys_[static_cast<size_t>(i)]; }
    int Index(int i) const { return indexes_[static_cast<size_t>(i)]; }
    void SetChoices(int i, const std::vector<std::string>& entries); // the list's texts, none selected
    void SetIndex(int i, int index); // an index without an entry leaves the list unselected

    // The monster editors' loot drops, where the layout has them; nullptr otherwise.
    LootDrops* Drops() const { return drops_.get(); }

    // Shows the row with nothing in it to change: boxes read-only, lists and "确定" disabled.
    void MakeReadOnly();

    // A last look at the edit texts before "确定" takes them. A refusal names the edit box
    // (its position as for Text()) and says why; the dialog shows it and stays open.
    struct Refusal {
        int text = -1;  // -1: nothing to refuse
        QString reason; // e.g. "不是数字"
    };
    using Check = std::function<Refusal(const QStringList& texts)>;
    void SetCheck(Check check) { check_ = std::move(check); }

    // The label text beside an edit box, for messages.
    QString EditLabel(int i) const;

public slots:
    void accept() override;

private:
    // Reads the controls into the members, as "确定" does.
    void ReadControls();

    const DialogLayout* layout_;
    QLabel* titleLabel_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::map<int, widgets::LineBox*> editsById_;
    std::map<int, QComboBox*> combosById_; // exchanged lists and the dialog's own lists
    std::vector<widgets::LineBox*> edits_;
    std::vector<QString> editLabels_;
    std::vector<QComboBox*> combos_;
    std::vector<std::string> textKeys_;
    std::vector<std::string> indexKeys_;
    QString title_;
    QStringList texts_;
    std::vector<int> indexes_;
    Check check_;
    std::unique_ptr<LootDrops> drops_;
};

} // namespace dravik::editors
