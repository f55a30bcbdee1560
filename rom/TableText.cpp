#include "rom/TableText.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "rom/CodeColumns.h"
#include "rom/Formula.h"
#include "rom/Review.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
bool StartsFormula(char c) { return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r'; }

bool PlainNumber(const std::string& s)
{
    size_t i = s[0] == '-' ? 1 : 0;
    const size_t digits = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    if (i < s.size() && s[i] == '.') {
        const size_t point = ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        if (i == point)
            return false;
    }
    return i == s.size();
}
} // namespace

std::string SpreadsheetSafe(const std::string& cell)
{
    if (cell.empty() || !(StartsFormula(cell[0]) || cell[0] == '\'') || PlainNumber(cell))
        return cell;
    return "'" + cell;
}

std::string FromSpreadsheetSafe(const std::string& field)
{
    if (field.size() >= 2 && field[0] == '\'' && (StartsFormula(field[1]) || field[1] == '\''))
        return field.substr(1);
    return field;
}

std::optional<Error> SetCellText(Table& table, int row, int column, const std::string& text)
{
    if (!table.IsValueColumn(column))
        return table.Cell(row, column) == text ? std::nullopt : SetCodesByName(table, row, column, text);
    const Codec codec = ValueCodec(table.Layout(), column);
    const std::optional<int64_t> now = CellUnits(table.Cell(row, column), codec);
    const std::optional<int64_t> then = CellUnits(text, codec);
    if (!now || !then || *now != *then)
        table.SetCell(row, column, text);
    return std::nullopt;
}

namespace {
std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> out;
    size_t begin = 0;
    for (;;) {
        const size_t end = text.find(separator, begin);
        out.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos)
            return out;
        begin = end + 1;
    }
}

// Tabs and line breaks would split a cell; no cell the tables show holds one.
std::string Flat(std::string cell)
{
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return cell;
}

// The columns a title line names, one for each of its fields; empty when it is no title line.
// A title the table has twice names its columns in order.
std::vector<int> TitleColumns(const Table& table, const std::vector<std::string>& fields)
{
    std::map<std::string, int> seen;
    std::vector<int> columns;
    for (const std::string& field : fields) {
        int nth = seen[field]++;
        int found = -1;
        for (int c = 0; c < table.Columns() && found < 0; ++c)
            if (table.ColumnTitle(c) == field && nth-- == 0)
                found = c;
        if (found < 0)
            return {};
        columns.push_back(found);
    }
    return columns;
}
} // namespace

std::string CopyRows(const Table& table, const std::vector<int>& rows)
{
    std::string text;
    for (int c = 0; c < table.Columns(); ++c)
        text += (c ? "\t" : "") + SpreadsheetSafe(Flat(table.ColumnTitle(c)));
    text += '\n';
    for (const int row : rows) {
        for (int c = 0; c < table.Columns(); ++c)
            text += (c ? "\t" : "") + SpreadsheetSafe(Flat(table.Cell(row, c)));
        text += '\n';
    }
    return text;
}

PastePlan PlanPaste(const Table& table, const std::string& text, int row, int column)
{
    std::vector<int> rows;
    for (int r = std::max(row, 0); r < table.Rows(); ++r)
        rows.push_back(r);
    return PlanPaste(table, text, rows, column);
}

PastePlan PlanPaste(const Table& table, const std::string& text, const std::vector<int>& targetRows,
                    int firstColumn)
{
    PastePlan plan;
    plan.edit = Edit(table.Id());
    std::vector<std::vector<std::string>> lines;
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields = Split(line, '\t');
        for (std::string& field : fields)
            field = FromSpreadsheetSafe(field);
        lines.push_back(std::move(fields));
    }
    while (!lines.empty() && lines.back().size() == 1 && lines.back()[0].empty())
        lines.pop_back();
    if (lines.empty()) {
        plan.error = Error::Failure(Fill(Tables::tr("没有可粘贴的内容")));
        return plan;
    }

    const std::vector<int> titled = TitleColumns(table, lines.front());
    if (!titled.empty())
        lines.erase(lines.begin());
    const auto columnOf = [&](size_t field) {
        if (titled.empty())
            return firstColumn + static_cast<int>(field);
        return field < titled.size() ? titled[field] : -1;
    };
    const size_t nameField =
        titled.empty() ? 0 : static_cast<size_t>(std::find(titled.begin(), titled.end(), 0) - titled.begin());
    const bool byName = titled.empty() ? firstColumn == 0 : nameField < titled.size();

    // Which row each line goes to.
    std::vector<int> rows;
    std::map<std::string, std::vector<int>> named; // each name's rows, the first to be taken last
    if (byName)
        for (int r = table.Rows() - 1; r >= 0; --r)
            named[table.RowLabel(r)].push_back(r);
    for (size_t i = 0; i < lines.size(); ++i) {
        int row = i < targetRows.size() ? targetRows[i] : -1;
        if (byName) {
            const std::string name = nameField < lines[i].size() ? lines[i][nameField] : std::string();
            std::vector<int>& free = named[name];
            row = free.empty() ? -1 : free.back();
            if (!free.empty())
                free.pop_back();
            if (row < 0)
                plan.refusals.push_back(CellRefusal(
                    table, -1, 0, name, Fill(Tables::tr("表中没有这个名称的行（粘贴内容第 %1 行）"), i + 1)));
        } else if (row < 0 || row >= table.Rows()) {
            plan.refusals.push_back(
                CellRefusal(table, -1, -1, {},
                            Fill(Tables::tr("列表从这一行起只有 %n 行，粘贴的行太多", nullptr,
                                            static_cast<int>(targetRows.size())))));
            row = -1;
        }
        rows.push_back(row);
    }

    // Values first, then names: a name is settled against the codes the row will hold.
    Table scratch = table;
    std::set<int> touched;
    for (const bool values : {true, false})
        for (size_t i = 0; i < lines.size(); ++i) {
            if (rows[i] < 0)
                continue;
            touched.insert(rows[i]);
            for (size_t f = 0; f < lines[i].size(); ++f) {
                const int column = columnOf(f);
                const std::string& cell = lines[i][f];
                if (column < 0 || column >= table.Columns()) {
                    if (values && !cell.empty())
                        plan.refusals.push_back(
                            CellRefusal(table, rows[i], -1, cell, Fill(Tables::tr("超出表的列数"))));

                    continue;
                }
                if (column == 0 || table.IsValueColumn(column) != values)
                    continue;
                // Named by the table as it is, not by the scratch copy's half-pasted row.
                if (const std::optional<Error> refused = SetCellText(scratch, rows[i], column, cell))
                    plan.refusals.push_back(CellRefusal(table, rows[i], column, cell, Reason(*refused)));
            }
        }

    for (const int row : touched) {
        for (const int column : table.Layout().ValueColumns())
            if (scratch.Cell(row, column) != table.Cell(row, column))
                plan.edit.SetCell(row, column, scratch.Cell(row, column));
        for (const CodeArray& a : scratch.CodeArrays())
            for (int k = 0; k < a.perRow; ++k)
                if (a.At(row, k) != table.Code(a.name, row, k))
                    plan.edit.SetCode(a.name, row, k, a.At(row, k));
    }
    for (Error& e : CheckEdit(table, plan.edit))
        plan.refusals.push_back(std::move(e));
    std::stable_sort(plan.refusals.begin(), plan.refusals.end(),
                     [](const Error& a, const Error& b) { return a.row < b.row; });
    return plan;
}

} // namespace dravik::rom
