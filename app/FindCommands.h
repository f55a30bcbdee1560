#pragma once
// Find and where-used from the window's side: the 编辑 menu's 查找 (Ctrl+K) with F3 / Shift+F3,
// and the lists' context menu with 查看引用 on the rows (and monster attack cells) whose things
// are used elsewhere. Both show their places in one find box beside the window, made when first
// needed, which finds again when the names change.
#include <QList>
#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace dravik::app {

class FindBox;
class PageArea;
class Session;

class FindCommands : public QObject {
    Q_OBJECT
public:
    FindCommands(Session& session, PageArea& pages, QWidget* window);

    void AddItems(QMenu* edit);
    // The context menu of every list on a freshly made page: 查看引用 where it applies, then
    // listActions, which act on the list clicked.
    void WirePage(QWidget* page, const std::vector<QAction*>& listActions);
    void Find();
    // Lists where the thing of a list's row (or a monster's attack cell) is used; false when
    // that cell has no references to show.
    bool ShowReferences(int listId, int row, int column);

private:
    FindBox* Box();
    void WireList(int listId, const std::vector<QAction*>& listActions);

    Session& session_;
    PageArea& pages_;
    QWidget* window_;
    FindBox* box_ = nullptr;
    QList<QAction*> steps_; // 查找下一个, 查找上一个
};

} // namespace dravik::app
