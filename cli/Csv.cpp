#include "cli/Csv.h"

#include <QCoreApplication>
#include <algorithm>

#include "rom/TableText.h"
#include "rom/TextChecks.h"
#include "rom/Texts.h"

namespace dravik::cli {

using rom::Fill;

namespace {
// A refusal that says the line (from 1) of the file it was found in.
rom::Error AtLine(int line, std::string why, std::string file = {})
{
    rom::Error e = rom::Error::Failure(std::move(why), std::move(file));
    e.line = line;
    return e;
}

// The texts of the CSV reader's refusals.
struct CsvImport {
    Q_DECLARE_TR_FUNCTIONS(CsvImport)
};

// The writer builds the whole text in memory; the stream gets it in one piece.
void WriteCsvField(std::string& out, const std::string& cell)
{
    const std::string s = rom::SpreadsheetSafe(cell);
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}
} // namespace

void WriteCsvField(std::ostream& out, const std::string& s)
{
    std::string text;
    WriteCsvField(text, s);
    out << text;
}

void WriteTableCsv(const rom::Table& t, std::ostream& out)
{
    std::string text;
    for (int c = 0; c < t.Columns(); ++c) {
        if (c)
            text += ',';
        WriteCsvField(text, t.ColumnTitle(c));
    }
    text += "\r\n";
    for (int row = 0; row < t.Rows(); ++row) {
        for (int c = 0; c < t.Columns(); ++c) {
            if (c)
                text += ',';
            WriteCsvField(text, t.Cell(row, c));
        }
        text += "\r\n";
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::optional<rom::Error> ParseCsv(const std::string& input, std::vector<CsvRecord>& records)
{
    records.clear();
    const std::string bom = "\xEF\xBB\xBF";
    const std::string text = input.compare(0, bom.size(), bom) == 0 ? input.substr(bom.size()) : input;
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        CsvRecord record{line, {}};
        std::string field;
        bool quoted = false, wasQuoted = false, endOfRecord = false;
        while (!endOfRecord) {
            if (i >= text.size()) {
                if (quoted)
                    return AtLine(record.line, Fill(CsvImport::tr("第 %1 行开始的带引号的字段没有结束的引号"),
                                                    std::to_string(record.line)));
                endOfRecord = true;
                break;
            }
            const char c = text[i++];
            if (quoted) {
                if (c == '"' && i < text.size() && text[i] == '"') {
                    field += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    line += c == '\n';
                    field += c;
                }
                continue;
            }
            if (c == '"' && field.empty() && !wasQuoted) {
                quoted = wasQuoted = true;
            } else if (c == ',') {
                record.fields.push_back(rom::FromSpreadsheetSafe(field));
                field.clear();
                wasQuoted = false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && i < text.size() && text[i] == '\n')
                    ++i;
                ++line;
                endOfRecord = true;
            } else if (c == '"' || wasQuoted) {
                return AtLine(
                    line, Fill(CsvImport::tr(
                                   "第 %1 行第 %2 个字段：引号只能包住整个字段（字段内的引号要写成两个）"),
                               std::to_string(line), std::to_string(record.fields.size() + 1)));
            } else {
                field += c;
            }
        }
        record.fields.push_back(rom::FromSpreadsheetSafe(field));
        records.push_back(std::move(record));
    }
    while (!records.empty() && records.back().fields.size() == 1 && records.back().fields[0].empty())
        records.pop_back();
    return {};
}

std::optional<rom::Error> ReadTableCsv(const std::string& text, const std::string& fileName,
                                       const std::string& tableId, const rom::Model& model,
                                       std::vector<rom::Edit>& edits)
{
    edits.clear();
    const rom::Table* original = model.Find(tableId);
    if (!original)
        return rom::Error::Failure(Fill(CsvImport::tr("%1: 没有名为 \"%2\" 的表"), fileName, tableId),
                                   fileName);
    // A spreadsheet saves in the system's code page unless told otherwise: say so rather than
    // look up names that are not there.
    if (const auto fault = rom::FindUtf8Fault(text))
        return AtLine(fault->line,
                      Fill(CsvImport::tr("%1: %2（在电子表格中保存时请选择 UTF-8 编码）"), fileName,
                           rom::Describe(*fault)),
                      fileName);
    std::vector<CsvRecord> records;
    if (std::optional<rom::Error> error = ParseCsv(text, records)) {
        error->detail = fileName + ": " + rom::Describe(*error);
        error->file = fileName;
        return error;
    }
    rom::Table t = *original; // a scratch copy: the names are settled against the codes it holds
    const std::string where =
        Fill(CsvImport::tr("%1: 表 %2「%3」"), fileName, t.Id(), rom::ShownTitle(t.Title()));
    if (records.empty())
        return rom::Error::Failure(Fill(CsvImport::tr("%1: 文件是空的，第一行应是列标题"), where), fileName);
    const std::vector<std::string>& titles = t.Layout().columns;
    if (records[0].fields != titles) {
        std::string expected;
        for (const std::string& s : titles)
            expected += (expected.empty() ? "" : ",") + s;
        return AtLine(1, Fill(CsvImport::tr("%1: 第 1 行的列标题与这个表不符，应为 %2"), where, expected),
                      fileName);
    }
    if (static_cast<int>(records.size()) - 1 != t.Rows())
        return rom::Error::Failure(
            Fill(CsvImport::tr("%1: 应有 %n 行数据，文件里有 %2 行", nullptr, t.Rows()), where,
                 std::to_string(records.size() - 1)),
            fileName);
    const std::vector<int> values = t.Layout().ValueColumns();
    for (int row = 0; row < t.Rows(); ++row) {
        const CsvRecord& r = records[static_cast<size_t>(row) + 1];
        const std::string at = Fill(CsvImport::tr("%1 第 %2 行「%3」（CSV 第 %4 行）"), where,
                                    std::to_string(row + 1), t.RowLabel(row), std::to_string(r.line));
        if (static_cast<int>(r.fields.size()) != t.Columns())
            return AtLine(r.line,
                          Fill(CsvImport::tr("%1: 应有 %2 个字段，实际 %3 个"), at,
                               std::to_string(t.Columns()), std::to_string(r.fields.size())),
                          fileName);
        for (int column : values)
            rom::SetCellText(t, row, column, r.fields[static_cast<size_t>(column)]);
    }
    // Names after every value: a name is checked against the row's codes as the save will see them.
    for (int row = 0; row < t.Rows(); ++row) {
        const CsvRecord& r = records[static_cast<size_t>(row) + 1];
        for (int column = 1; column < t.Columns(); ++column) {
            if (std::find(values.begin(), values.end(), column) != values.end())
                continue;
            const std::optional<rom::Error> refused =
                rom::SetCellText(t, row, column, r.fields[static_cast<size_t>(column)]);
            if (refused)
                return AtLine(r.line,
                              Fill(CsvImport::tr("%1 第 %2 行「%3」 列「%4」（CSV 第 %5 行第 %6 列）: %7"),
                                   where, std::to_string(row + 1), t.RowLabel(row),
                                   rom::ShownTitle(t.ColumnTitle(column)), std::to_string(r.line),
                                   std::to_string(column + 1), rom::Reason(*refused)),
                              fileName);
        }
    }
    rom::Edit edit(t.Id());
    for (int row = 0; row < t.Rows(); ++row) {
        for (int column : values)
            edit.SetCell(row, column, t.Cell(row, column));
        for (const rom::CodeArray& a : t.CodeArrays())
            for (int k = 0; k < a.perRow; ++k)
                edit.SetCode(a.name, row, k, a.At(row, k));
    }
    edits.push_back(std::move(edit));
    return {};
}

} // namespace dravik::cli
