#include "rom/Change.h"

#include <algorithm>

namespace dravik::rom {

namespace {
std::vector<int> Sorted(std::vector<int> v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}
} // namespace

Change Change::Reversed() const
{
    Change r{tableId, cells, codes};
    for (CellChange& c : r.cells)
        std::swap(c.before, c.after);
    for (CodeChange& c : r.codes)
        std::swap(c.before, c.after);
    return r;
}

std::vector<int> Change::Rows() const
{
    std::vector<int> rows;
    for (const CellChange& c : cells)
        rows.push_back(c.row);
    for (const CodeChange& c : codes)
        rows.push_back(c.row);
    return Sorted(std::move(rows));
}

std::vector<int> Change::Columns() const
{
    std::vector<int> columns;
    for (const CellChange& c : cells)
        columns.push_back(c.column);
    return Sorted(std::move(columns));
}

// A line break at either end of a text is no part of its value (the save pass ignores it, and
// Enter typed into a box leaves one): it is dropped, so that an unchanged value is no change.
std::string WithoutOuterLineBreaks(std::string text)
{
    const auto isBreak = [](char c) { return c == '\n' || c == '\r'; };
    size_t end = text.size();
    while (end > 0 && isBreak(text[end - 1]))
        --end;
    size_t begin = 0;
    while (begin < end && isBreak(text[begin]))
        ++begin;
    return text.substr(begin, end - begin);
}

Edit& Edit::SetCell(int row, int column, std::string text)
{
    text = WithoutOuterLineBreaks(std::move(text));
    cells_.push_back(Cell{row, column, std::move(text)});
    return *this;
}

Edit& Edit::SetCode(std::string array, int row, int k, int value)
{
    codes_.push_back(Code{std::move(array), row, k, value});
    return *this;
}

} // namespace dravik::rom
