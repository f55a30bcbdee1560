#pragma once
// The window's page area: the background picture and the seven pages of lists, edit boxes, price
// buttons, groups and texts, built from the page layout over the session's document. A page's
// controls are made when the page is first shown (the window starts on the picture, so a start
// pays for none of the twenty lists); the area keeps every control it made. The lists repaint exactly the
// cells a change touched and the bound boxes follow their cells; what is edited here (a row editor's "确定",
// a price "确定", typing in a bound box) goes to the session as one undo step.
#include <QObject>
#include <QSize>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/PageLayout.h"
#include "rom/Change.h"
#include "widgets/DialogUnits.h"

class QAction;
class QLineEdit;
class QPushButton;
class QRect;
class QStackedWidget;
class QTableView;

namespace dravik::widgets {
class LineBox;
}

namespace dravik::app {

class ListRows;
class PagePicture;
class Session;
class TableModel;

class PageArea : public QObject {
    Q_OBJECT
public:
    // Builds the page area inside client, the picture shown; row editors open over window.
    PageArea(Session& session, QWidget* client, QWidget* window);

    // Puts the page area at area (in the client) and its controls where they go at that size:
    // as designed at the designed size, the lists grown when larger (StretchPage).
    void Fit(const QRect& area);

    // 0 shows the background picture, 1 to 7 a page (made first if it was never shown).
    void ShowPage(int page);
    // Shows the page of a table and selects its row (or the box that shows it), with the cell in
    // column current and in view.
    void ShowTableRow(const std::string& tableId, int row, int column = 0);

    // Everything shown anew: another file, another name set.
    void RefreshAll();
    // Each price box shows the price of its list's current row; empty without one or without a
    // file (after Open and Close).
    void RefreshPriceBoxes();
    // The same values without their changed marks (after a save).
    void RepaintLists();
    // A read-only image is shown in full, but nothing here can change its values.
    void SetReadOnly(bool readOnly);
    // The picture tells how to open a file only while none is open.
    void SetLoaded(bool loaded);
    // The keys of these actions go to the window even from inside a bound box (undo, redo).
    void PassKeys(const std::vector<QAction*>& actions) { passedKeys_ = actions; }
    // The lists let go of the tables before the document goes.
    void Detach();

    // The lists of the pages made so far, by id.
    const std::map<int, QTableView*>& Lists() const { return lists_; }
    TableModel* Model(int listId) const { return models_.at(listId); }
    // The rows a list shows, sorted and filtered: every view row maps to its table row here.
    ListRows* Rows(int listId) const { return rows_.at(listId); }
    // The table row of a list's current row when it is selected (several may be), else of the
    // first one selected; -1 for none.
    int SelectedRow(int listId) const;
    // Shows the name filter box above a list and puts the focus in it.
    void ShowFilter(int listId);

signals:
    void PageShown(int page);
    // The controls of a page were made (as it is shown for the first time).
    void PageMade(QWidget* page);

private:
    void Build(QWidget* client);
    // Makes the controls of a page (1 to 7) unless they are there, showing the document as it is.
    void MakePage(int page);
    // Puts a page's controls where they go at the current factors of growth.
    void PlacePage(int page);
    void WirePriceEditor(const PriceEditorDecl& editor);
    void WireRowEditor(int listId);
    void WireBoundBox(widgets::LineBox* box, const std::string& table, int row);
    void FitNameColumnsOn(const QWidget* page);
    void RefreshBoundBoxes();
    void MarkBoundBoxes();
    void Changed(const rom::Change& change);
    void WireFilter(int listId);
    void HideFilter(int listId);
    void ShowPriceOf(int listId, int editId);
    void OnPriceApply(int listId, int editId);
    void OnRowEditor(int listId);
    void ApplyEdit(const rom::Edit& edit, int row);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Session& session_;
    QWidget* window_;
    QWidget* frame_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    PagePicture* picture_ = nullptr;
    const widgets::DialogUnits du_; // of the window's font
    QSize designedArea_;
    double growX_ = 1, growY_ = 1; // of the page area over its designed size
    // Each page's controls with their designed places, in pixels of the page.
    std::map<int, std::vector<std::pair<QWidget*, PageItem>>> placed_;
    std::map<int, QTableView*> lists_;
    std::map<int, TableModel*> models_;
    std::map<int, ListRows*> rows_;
    std::map<int, QLineEdit*> filters_; // hidden until asked for
    std::map<int, widgets::LineBox*> boxes_;
    std::map<int, QPushButton*> buttons_;
    // Lists whose names changed while their page was hidden: fitted when the page is shown.
    std::set<int> unfitted_;
    std::vector<QAction*> passedKeys_;
    bool readOnly_ = false;
    bool detached_ = false;
};

} // namespace dravik::app
