#include "cli/Json.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "rom/TextChecks.h"
#include "rom/Texts.h"

namespace dravik::cli {

using rom::Fill;

namespace {
// The writers build the whole text in memory; the stream gets it in one piece.
void WriteString(std::string& out, const std::string& s)
{
    out += '"';
    const bool plain =
        std::all_of(s.begin(), s.end(), [](unsigned char c) { return c >= 0x20 && c != '"' && c != '\\'; });
    if (plain) {
        out += s;
        out += '"';
        return;
    }
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

template <typename T, typename F> void WriteList(std::string& out, const T& items, F each)
{
    out += '[';
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            out += ", ";
        first = false;
        each(item);
    }
    out += ']';
}

void WriteCodes(std::string& out, const rom::CodeArray& a, int rows)
{
    out += '[';
    for (int row = 0; row < rows; ++row) {
        if (row)
            out += ", ";
        if (a.perRow == 1) {
            out += std::to_string(a.At(row));
            continue;
        }
        out += '[';
        for (int k = 0; k < a.perRow; ++k) {
            if (k)
                out += ", ";
            out += std::to_string(a.At(row, k));
        }
        out += ']';
    }
    out += ']';
}

} // namespace

void WriteJsonString(std::ostream& out, const std::string& s)
{
    std::string text;
    WriteString(text, s);
    out << text;
}

namespace {
// Whether a JSON string holds exactly the UTF-8 text, compared without converting either (an
// import mostly gives back the cells it was exported from).
bool SameText(const QString& json, const std::string& text)
{
    if (json.size() != static_cast<qsizetype>(text.size()))
        return false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char16_t c = json[i].unicode();
        if (c >= 0x80 || c != static_cast<unsigned char>(text[static_cast<size_t>(i)]))
            return false; // any other letter goes the long way
    }
    return true;
}

// Text of a cell given as a JSON string or number; unchanged tells whether it is current.
bool CellText(const QJsonValue& v, const std::string& current, std::string& text, bool& unchanged)
{
    if (v.isString()) {
        const QString string = v.toString();
        unchanged = SameText(string, current);
        if (!unchanged) {
            text = string.toStdString();
            unchanged = text == current;
        }
        return true;
    }
    if (v.isDouble()) {
        // The shortest digits that read back as the number, as a person wrote it (1.005, not
        // 1.0049999999999999, which rounds the other way); no exponent where a field could hold it.
        const double number = v.toDouble();
        text = (std::fabs(number) < 1e15 ? QString::number(number, 'f', QLocale::FloatingPointShortest)
                                         : QString::number(number, 'g', 17))
                   .toStdString();
        unchanged = text == current;
        return true;
    }
    return false;
}

bool CodeValue(const QJsonValue& v, int& value)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    // The range first: converting a double an integer cannot hold is undefined.
    if (!(d >= -1e9 && d <= 1e9) || d != static_cast<double>(static_cast<long long>(d)))
        return false;
    value = static_cast<int>(d);
    return true;
}

// The texts of the JSON reader's refusals.
struct JsonImport {
    Q_DECLARE_TR_FUNCTIONS(JsonImport)
};

std::string Where(const std::string& file, const rom::Table& t)
{
    return Fill(JsonImport::tr("%1: 表 %2「%3」"), file, t.Id(), rom::ShownTitle(t.Title()));
}

bool IsReadOnly(const rom::Table& t, const std::string& array)
{
    const rom::CodeArraySpec* arrayDecl = t.Layout().FindCodeArray(array);
    return arrayDecl && arrayDecl->readOnly;
}

// A refusal of the table's part of the file; row counted from 1 (0: none). The sentence names the
// place too, since the JSON object no longer knows its line.
rom::Error Refused(const std::string& sentence, const std::string& file, const rom::Table& t, int row = 0,
                   const std::string& column = {})
{
    rom::Error e = rom::Error::Failure(sentence, file);
    e.table = t.Title();
    e.tableId = t.Id();
    e.row = row;
    e.column = column;
    return e;
}

std::optional<rom::Error> ReadTable(const QJsonObject& obj, const std::string& file, const rom::Table& t,
                                    rom::Edit& edit)
{
    const QJsonValue rowsValue = obj.value("rows");
    if (!rowsValue.isUndefined()) {
        if (!rowsValue.isArray())
            return Refused(Fill(JsonImport::tr("%1: \"rows\" 必须是数组"), Where(file, t)), file, t);
        const QJsonArray rows = rowsValue.toArray();
        if (rows.size() != t.Rows())
            return Refused(Fill(JsonImport::tr("%1: 应有 %n 行，实际 %2 行", nullptr, t.Rows()),
                                Where(file, t), std::to_string(rows.size())),
                           file, t);
        const std::vector<int> columns = t.Layout().ValueColumns();
        std::string text;
        for (int row = 0; row < t.Rows(); ++row) {
            const QJsonValue rowValue = rows[row];
            const QJsonArray cells = rowValue.toArray();
            if (!rowValue.isArray() || cells.size() != t.Columns())
                return Refused(Fill(JsonImport::tr("%1 第 %2 行: 应是 %3 个单元格的数组"), Where(file, t),
                                    std::to_string(row + 1), std::to_string(t.Columns())),
                               file, t, row + 1);
            for (int column : columns) {
                bool unchanged = false;
                if (!CellText(cells[column], t.Cell(row, column), text, unchanged))
                    return Refused(Fill(JsonImport::tr("%1 第 %2 行 列「%3」: 单元格必须是字符串或数字"),
                                        Where(file, t), std::to_string(row + 1),
                                        rom::ShownTitle(t.ColumnTitle(column))),
                                   file, t, row + 1, t.ColumnTitle(column));
                // Only what differs becomes an edit: an import mostly gives back what it exported.
                if (!unchanged)
                    edit.SetCell(row, column, text);
            }
        }
    }
    const QJsonValue codesValue = obj.value("codes");
    if (codesValue.isUndefined())
        return {};
    if (!codesValue.isObject())
        return Refused(Fill(JsonImport::tr("%1: \"codes\" 必须是对象"), Where(file, t)), file, t);
    const QJsonObject codes = codesValue.toObject();
    for (auto it = codes.begin(); it != codes.end(); ++it) {
        const rom::CodeArray* a = t.FindCodes(it.key().toStdString());
        const std::string name = it.key().toStdString();
        if (!a)
            return Refused(Fill(JsonImport::tr("%1: 没有代码数组 \"%2\""), Where(file, t), name), file, t, 0,
                           name);
        if (!it.value().isArray() || it.value().toArray().size() != t.Rows())
            return Refused(
                Fill(JsonImport::tr("%1 代码 %2: 应是 %n 项的数组", nullptr, t.Rows()), Where(file, t), name),
                file, t, 0, name);
        const QJsonArray entries = it.value().toArray();
        const bool readOnly = IsReadOnly(t, name);
        // The save never writes such a code: a changed entry would be accepted and silently lost.
        const auto unchanged = [&](int row, int k, int value) {
            return !readOnly || value == t.Code(name, row, k);
        };
        const auto refusal = [&](const std::string& at, int row, int k, int value) {
            return Refused(Fill(JsonImport::tr("%1: 代码 %2 不能修改（文件中是 %3，导入的是 %4）"), at, name,
                                std::to_string(t.Code(name, row, k)), std::to_string(value)),
                           file, t, row + 1, name + "[" + std::to_string(k) + "]");
        };
        const auto take = [&](int row, int k, int value) {
            if (value != a->At(row, k))
                edit.SetCode(name, row, k, value);
        };
        for (int row = 0; row < t.Rows(); ++row) {
            const auto at = [&] {
                return Fill(JsonImport::tr("%1 代码 %2 第 %3 行"), Where(file, t), name,
                            std::to_string(row + 1));
            };
            int value = 0;
            if (a->perRow == 1) {
                if (!CodeValue(entries[row], value))
                    return Refused(Fill(JsonImport::tr("%1: 必须是整数"), at()), file, t, row + 1, name);
                if (!unchanged(row, 0, value))
                    return refusal(at(), row, 0, value);
                take(row, 0, value);
                continue;
            }
            const QJsonValue listValue = entries[row];
            const QJsonArray list = listValue.toArray();
            if (!listValue.isArray() || list.size() != a->perRow)
                return Refused(Fill(JsonImport::tr("%1: 应是 %n 个整数的数组", nullptr, a->perRow), at()),
                               file, t, row + 1, name);
            for (int k = 0; k < a->perRow; ++k) {
                if (!CodeValue(list[k], value))
                    return Refused(Fill(JsonImport::tr("%1: 必须是整数"), at()), file, t, row + 1, name);
                if (!unchanged(row, k, value))
                    return refusal(at(), row, k, value);
                take(row, k, value);
            }
        }
    }
    return {};
}
} // namespace

std::string TablesJson(const rom::Model& model, bool header)
{
    std::string out;
    out.reserve(256 * 1024);
    out += "{\"format\": ";
    WriteString(out, kFormat);
    out += header ? ", \"header\": true" : ", \"header\": false";
    out += ", \"tables\": {";
    bool firstTable = true;
    for (const rom::Table& t : model.Tables()) {
        out += firstTable ? "\n  " : ",\n  ";
        firstTable = false;
        WriteString(out, t.Id());
        out += ": {\"columns\": ";
        WriteList(out, t.Layout().columns, [&](const std::string& s) { WriteString(out, s); });
        out += ",\n    \"rows\": [";
        for (int row = 0; row < t.Rows(); ++row) {
            out += row ? ",\n      [" : "\n      [";
            for (int c = 0; c < t.Columns(); ++c) {
                if (c)
                    out += ", ";
                WriteString(out, t.Cell(row, c));
            }
            out += ']';
        }
        out += "],\n    \"codes\": {";
        bool firstCode = true;
        for (const rom::CodeArray& a : t.CodeArrays()) {
            if (!firstCode)
                out += ", ";
            firstCode = false;
            WriteString(out, a.name);
            out += ": ";
            WriteCodes(out, a, t.Rows());
        }
        out += "}}";
    }
    out += "\n}}\n";
    return out;
}

std::optional<rom::Error> ReadTablesJson(const std::string& json, const std::string& fileName,
                                         const rom::Model& model, std::vector<rom::Edit>& edits)
{
    edits.clear();
    QJsonDocument doc;
    if (std::optional<rom::Error> invalid = rom::ParseJsonStrictly(json, doc)) {
        invalid->detail = Fill(JsonImport::tr("%1: %2"), fileName, rom::Describe(*invalid));
        invalid->file = fileName;
        return invalid;
    }
    if (!doc.isObject())
        return rom::Error::Failure(Fill(JsonImport::tr("%1: 顶层必须是对象"), fileName), fileName);
    const QJsonObject root = doc.object();
    if (root.value("format").toString() != kFormat)
        return rom::Error::Failure(
            Fill(JsonImport::tr("%1: \"format\" 必须是 \"%2\""), fileName, std::string(kFormat)), fileName);
    if (!root.value("tables").isObject())
        return rom::Error::Failure(Fill(JsonImport::tr("%1: 缺少 \"tables\" 对象"), fileName), fileName);
    const QJsonObject tables = root.value("tables").toObject();
    std::vector<rom::Edit> read;
    // In pass order, whatever the order of the file, so the change list reads like the tables.
    for (const rom::Table& t : model.Tables()) {
        const auto it = tables.find(QString::fromStdString(t.Id()));
        if (it == tables.end())
            continue;
        if (!it.value().isObject())
            return rom::Error::Failure(Fill(JsonImport::tr("%1: 必须是对象"), Where(fileName, t)), fileName);
        rom::Edit edit(t.Id());
        if (std::optional<rom::Error> refused = ReadTable(it.value().toObject(), fileName, t, edit))
            return refused;
        read.push_back(std::move(edit));
    }
    for (auto it = tables.begin(); it != tables.end(); ++it)
        if (!model.Find(it.key().toStdString()))
            return rom::Error::Failure(
                Fill(JsonImport::tr("%1: 没有名为 \"%2\" 的表"), fileName, it.key().toStdString()), fileName);
    edits = std::move(read);
    return {};
}

} // namespace dravik::cli
