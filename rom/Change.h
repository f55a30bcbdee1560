#pragma once
// Changes to the tables. An Edit is what a writer (a row editor, a price box, an import, a
// recovery) wants one table to hold; the document applies it and records the Change: every
// cell and code that really changed, with its old and new value, so that it can be put back.
#include <string>
#include <vector>

namespace dravik::rom {

struct CellChange {
    int row = 0;
    int column = 0;
    std::string before;
    std::string after;

    bool operator==(const CellChange& o) const
    {
        return row == o.row && column == o.column && before == o.before && after == o.after;
    }
};

struct CodeChange {
    std::string array;
    int row = 0;
    int k = 0;
    int before = 0;
    int after = 0;

    bool operator==(const CodeChange& o) const
    {
        return array == o.array && row == o.row && k == o.k && before == o.before && after == o.after;
    }
};

// What one application of an edit did to one table. Cells include the name cells that show
// codes, so that putting the change back restores them exactly.
struct Change {
    std::string tableId;
    std::vector<CellChange> cells;
    std::vector<CodeChange> codes;

    bool Empty() const { return cells.empty() && codes.empty(); }
    Change Reversed() const;          // before and after swapped: the undo of this change
    std::vector<int> Rows() const;    // every row touched, ascending
    std::vector<int> Columns() const; // every cell column touched, ascending

    bool operator==(const Change& o) const
    {
        return tableId == o.tableId && cells == o.cells && codes == o.codes;
    }
};

// A text without the line breaks at either end: the value a cell is given for it.
std::string WithoutOuterLineBreaks(std::string text);

// The new texts and codes a writer wants in one table. Positions outside the table, column 0
// (the row's fixed label) and unknown code arrays are ignored when it is applied.
class Edit {
public:
    struct Cell {
        int row;
        int column;
        std::string text;
    };
    struct Code {
        std::string array;
        int row;
        int k;
        int value;
    };

    explicit Edit(std::string tableId) : tableId_(std::move(tableId)) {}

    // The text goes in without the line breaks at either end (WithoutOuterLineBreaks).
    Edit& SetCell(int row, int column, std::string text);
    Edit& SetCode(std::string array, int row, int k, int value);

    const std::string& TableId() const { return tableId_; }
    const std::vector<Cell>& Cells() const { return cells_; }
    const std::vector<Code>& Codes() const { return codes_; }
    bool Empty() const { return cells_.empty() && codes_.empty(); }

private:
    std::string tableId_;
    std::vector<Cell> cells_;
    std::vector<Code> codes_;
};

} // namespace dravik::rom
