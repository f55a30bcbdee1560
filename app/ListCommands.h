#pragma once
// 复制, 粘贴, 批量修改, 恢复为参照值 and 筛选 on the list that has the focus (or the one list of the page
// shown): its selected rows out as tab-separated text for a spreadsheet; text from a spreadsheet back in,
// checked as a whole, confirmed with the change review and applied as one undo step; and one
// column of the selected rows worked out from a formula, with its preview, as one undo step.
#include <QObject>

#include <vector>

class QAction;
class QTableView;
class QWidget;

namespace dravik::app {

class PageArea;
class Session;

class ListCommands : public QObject {
    Q_OBJECT
public:
    ListCommands(Session& session, PageArea& pages, QWidget* window);

    // 复制 (Ctrl+C), 粘贴 (Ctrl+V), 批量修改… (Ctrl+B) and 筛选… (Ctrl+Shift+F), for the 编辑 menu.
    const std::vector<QAction*>& Actions() const { return actions_; }

    void Copy();
    void Paste();
    void BulkEdit();
    // 恢复为参照值: the selected rows as the reference image has them, while one is set.
    void RestoreReference();
    // 筛选… (Ctrl+Shift+F): the name filter of the list with the focus.
    void Filter();

private:
    // The list the commands act on and its id in the page area; nullptr when there is none.
    QTableView* TargetList(int& listId) const;
    // The table rows selected in a list, in file order.
    std::vector<int> SelectedRows(int listId) const;

    Session& session_;
    PageArea& pages_;
    QWidget* window_;
    std::vector<QAction*> actions_;
};

} // namespace dravik::app
