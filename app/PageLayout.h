#pragma once
// The main window's controls as data: every page control with its kind, page and rectangle in
// dialog units, the column widths of the twenty lists, the seven price editors and the lists that
// open a row editor. CEditorDlg builds its widgets by walking these tables.
#include <QString>
#include <string>
#include <vector>

namespace dravik::app {

// A rectangle in dialog units of the window's client area.
struct DuRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class PageControlKind { List, Edit, Button, Group, Static };

struct PageControl {
    int id;
    PageControlKind kind;
    int page;            // 1 to 7
    DuRect rect;         // in the window's client area
    const char* caption; // button, group and static texts; "" for the others
    const char* table;   // List: the table it shows. Edit: the table of the cell it edits, "" if none
    int row;             // Edit bound to a cell: the row whose column 1 it edits; -1 otherwise
};

// A caption of these tables (a control's, a page button's) in the interface language.
QString PageText(const char* text);

// The 48 page controls. A group box comes before the controls inside it, so that it lies under them.
const std::vector<PageControl>& PageControls();

struct PageButtonDecl {
    int id;
    int page;
    DuRect rect;
    const char* caption;     // two lines, "\n" between them
    const char* menuCaption; // the "视窗(&W)" menu item
};
const std::vector<PageButtonDecl>& PageButtons();

// The designed column widths in pixels at the reference font (an average character 6 pixels
// wide), each for the column its key names in the list's table ("name" is column 0). A column
// not named here takes a width from its declaration (WidthsByColumn).
struct ColumnWidth {
    std::string key;
    int width;
};
const std::vector<ColumnWidth>& ColumnWidths(int listId);

// The inline price editors: a click in the list fills the box, the button writes it back.
struct PriceEditorDecl {
    int list;
    int edit;
    int button;
};
const std::vector<PriceEditorDecl>& PriceEditors();

// One control of a page for StretchPage: its kind and its designed rectangle.
struct PageItem {
    PageControlKind kind;
    DuRect rect;
};
// Where a page's controls go when the page grows from its designed size by the factors sx and sy
// (each at least 1: a window smaller than designed scrolls instead). Lists, and the frames that
// hold a list, stretch with the page; boxes, buttons and texts keep their size with their centre
// carried along, so that nothing comes to overlap; a frame without a list keeps its size too and
// takes its controls with it. The rectangles may be in any unit; the result is in the same one,
// and at the factors 1 it is exactly the designed layout.
std::vector<DuRect> StretchPage(const std::vector<PageItem>& items, double sx, double sy);

// Fixed parts of the window, in dialog units.
constexpr int kWindowWidth = 442;
constexpr int kWindowHeight = 308;
constexpr DuRect kPageArea{7, 28, 427, 267};
constexpr DuRect kOpenButton{7, 4, 40, 20};
constexpr DuRect kSaveButton{52, 4, 40, 20};
constexpr DuRect kStatusLine{7, 297, 427, 10};
constexpr int kPageCount = 7;

} // namespace dravik::app
