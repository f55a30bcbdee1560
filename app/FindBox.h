#pragma once
// The find box (编辑 -> 查找, Ctrl+K): finds rows of every table by name or by any cell text as
// the user types, and lists table, row name, column and text; Enter or a double-click shows the
// row in its page. The same box lists where a row is used (查看引用). It never blocks: it stays
// open beside the window.
#include <QDialog>

#include <functional>
#include <vector>

#include "rom/Find.h"

class QLineEdit;
class QTreeWidget;

namespace dravik::app {

// A place to show: table, row and the column of interest.
struct Place {
    std::string tableId;
    int row = 0;
    int column = 0;
};

class FindBox : public QDialog {
    Q_OBJECT
public:
    FindBox(const rom::Model& model, std::function<void(const Place&)> show, QWidget* parent = nullptr);

    // Finds `text` (as if typed) and lists the matches.
    void Find(const QString& text);
    // Lists where something is used instead of matches.
    void ShowReferences(const QString& what, const std::vector<rom::Reference>& refs);
    // Shows the next (step 1) or previous (step -1) entry of the list, wrapping around.
    bool Step(int step);

    int Count() const { return static_cast<int>(places_.size()); }
    QLineEdit* Input() const { return input_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowCurrent();

    const rom::Model& model_;
    std::function<void(const Place&)> show_;
    QLineEdit* input_;
    QTreeWidget* results_;
    std::vector<Place> places_;
};

} // namespace dravik::app
