#include "rom/Formula.h"

#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "rom/Codecs.h"
#include "rom/HalfWidth.h"
#include "rom/Review.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
// What is not a finite number stays so, and the formula's result is refused as such. Past the
// range that rounding by decimal digits takes, a double has no decimals worth reading.
double Round(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 1e15)
        return std::round(v);
    return static_cast<double>(RoundToUnit(v, Codec::Whole));
}
double Floor(double v) { return std::floor(v); }
double Ceil(double v) { return std::ceil(v); }
double Abs(double v) { return std::fabs(v); }
double Min(const double* values, int count) { return *std::min_element(values, values + count); }
double Max(const double* values, int count) { return *std::max_element(values, values + count); }

std::string Reason(const mu::ParserError& e)
{
    const std::string at = Fill(Checks::tr("（第 %1 个字符）"), e.GetPos() + 1);
    switch (e.GetCode()) {
    case mu::ecEMPTY_EXPRESSION: return Fill(Checks::tr("公式是空的"));
    case mu::ecUNASSIGNABLE_TOKEN:
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_STR:
    case mu::ecSTRING_EXPECTED:
    case mu::ecUNTERMINATED_STRING:
    case mu::ecINVALID_CHARACTERS_FOUND:
        return Fill(
            Checks::tr("不认识“%1”%2：只能用数字、x、r、+ - * / ^、括号和 round、floor、ceil、abs、min、max"),
            TrimSpace(e.GetToken()), at);
    case mu::ecUNEXPECTED_EOF:
    case mu::ecMISSING_PARENS: return Fill(Checks::tr("公式不完整，缺少数字或右括号"));
    case mu::ecTOO_MANY_PARAMS:
    case mu::ecTOO_FEW_PARAMS: return Fill(Checks::tr("函数 %1 的参数个数不对%2"), e.GetToken(), at);
    default: return Fill(Checks::tr("公式有错误%1"), at);
    }
}
} // namespace

struct Formula::Parser {
    mu::Parser parser;
    mutable double x = 0;
    mutable double r = 1;
    bool read = false;
};

Formula::Formula() : parser_(std::make_unique<Parser>()) {}
Formula::~Formula() = default;

std::optional<Error> Formula::Read(const std::string& input)
{
    parser_->read = false;
    std::string text = TrimSpace(ToHalfWidth(input));
    if (!text.empty() && text[0] == '=') // as a spreadsheet's formulas begin
        text = TrimSpace(text.substr(1));
    if (text.empty())
        return Error::Failure(Fill(Checks::tr("公式是空的")));
    if (text.size() > kMaximumFormulaLength)
        return Error::Failure(Fill(Checks::tr("公式太长，最多 %1 个字符"), kMaximumFormulaLength));
    try {
        mu::Parser& p = parser_->parser;
        p.ClearFun();
        p.ClearConst();
        p.ClearPostfixOprt();
        p.DefineFun("round", Round);
        p.DefineFun("floor", Floor);
        p.DefineFun("ceil", Ceil);
        p.DefineFun("abs", Abs);
        p.DefineFun("min", Min);
        p.DefineFun("max", Max);
        p.DefineVar("x", &parser_->x);
        p.DefineVar("r", &parser_->r);
        p.SetExpr(text);
        p.Eval(); // the text is read on the first evaluation
        // Several comma-separated results ("1,2") are no value for a cell.
        int results = 0;
        p.Eval(results);
        if (results != 1)
            return Error::Failure(Fill(Checks::tr("公式只能算出一个值")));
    } catch (const mu::ParserError& e) {
        return Error::Failure(Reason(e));
    }
    parser_->read = true;
    return std::nullopt;
}

bool Formula::UsesX() const
{
    if (!parser_->read)
        return false;
    try {
        return parser_->parser.GetUsedVar().count("x") > 0;
    } catch (const mu::ParserError&) {
        return true;
    }
}

std::optional<double> Formula::Value(double x, int r) const
{
    if (!parser_->read)
        return std::nullopt;
    parser_->x = x;
    parser_->r = r;
    try {
        const double v = parser_->parser.Eval();
        if (std::isfinite(v))
            return v;
    } catch (const mu::ParserError&) {
    }
    return std::nullopt;
}

Codec ValueCodec(const TableLayout& layout, int column)
{
    for (const Field& f : layout.fields)
        if (f.column == column && f.codec == Codec::Hundredths)
            return Codec::Hundredths;
    return Codec::Whole;
}

int64_t RoundToUnit(double value, Codec codec)
{
    // Anything beyond this (or not a number) is out of every field's range; it stays a number
    // that says so.
    constexpr double kLimit = 1e15;
    const double magnitude = std::isnan(value) ? kLimit : std::min(std::fabs(value), kLimit);
    // The decimal digits the value prints with, not its binary fraction: 1.005 is stored as
    // 1.00499999..., but a user who writes it, or gets it as 0.67 * 1.5, means 1.005.
    char text[64];
    std::snprintf(text, sizeof text, "%.9f", magnitude);
    const std::string digits(text);
    const size_t point = digits.find('.');
    int64_t units = std::stoll(digits.substr(0, point));
    const size_t decimals = codec == Codec::Hundredths ? 2 : 0;
    for (size_t i = 0; i < decimals; ++i)
        units = units * 10 + (digits[point + 1 + i] - '0');
    if (digits[point + 1 + decimals] >= '5')
        ++units;
    return value < 0 ? -units : units;
}

std::string UnitText(int64_t units, Codec codec)
{
    if (codec != Codec::Hundredths)
        return std::to_string(units);
    const uint64_t magnitude = units < 0 ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    const unsigned fraction = static_cast<unsigned>(magnitude % 100);
    return (units < 0 ? "-" : "") + std::to_string(magnitude / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

std::optional<int64_t> CellUnits(const std::string& text, Codec codec)
{
    std::string number = TrimSpace(ToHalfWidth(text));
    const bool negative = !number.empty() && number[0] == '-';
    if (negative)
        number.erase(0, 1);
    if (negative && number.empty())
        return std::nullopt; // a minus alone is no number, not 0
    const std::optional<int64_t> v =
        codec == Codec::Hundredths ? ParseHundredths(number) : ParseWhole(number);
    if (!v)
        return std::nullopt;
    return negative ? -*v : *v;
}

std::optional<double> CellValue(const Table& table, int row, int column)
{
    if (!table.IsValueColumn(column) || row < 0 || row >= table.Rows())
        return std::nullopt;
    const Codec codec = ValueCodec(table.Layout(), column);
    const std::optional<int64_t> units = CellUnits(table.Cell(row, column), codec);
    if (!units)
        return std::nullopt;
    return codec == Codec::Hundredths ? static_cast<double>(*units) / 100 : static_cast<double>(*units);
}

bool BulkPlan::Ok() const { return !error && Misfits() == 0; }

int BulkPlan::Misfits() const
{
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const BulkRow& r) { return !r.Fits(); }));
}

BulkPlan PlanBulk(const Table& table, int column, const std::vector<int>& rows, const std::string& text)
{
    BulkPlan plan;
    plan.edit = Edit(table.Id());
    if (!table.IsValueColumn(column)) {
        plan.error =
            Error::Failure(Fill(Checks::tr("“%1”这一列不是数值"), ShownTitle(table.ColumnTitle(column))));
        return plan;
    }
    for (const int row : rows)
        if (row < 0 || row >= table.Rows()) {
            plan.error =
                Error::Failure(Fill(Checks::tr("没有第 %1 行（表「%2」共 %n 行）", nullptr, table.Rows()),
                                    row + 1, ShownTitle(table.Title())));
            return plan;
        }
    Formula formula;
    if (std::optional<Error> refused = formula.Read(text)) {
        plan.error = std::move(refused);
        return plan;
    }
    const Codec codec = ValueCodec(table.Layout(), column);
    const bool usesX = formula.UsesX();
    for (const int row : rows) {
        BulkRow out{row, table.Cell(row, column), {}, {}};
        const std::optional<double> x = usesX ? CellValue(table, row, column) : 0.0;
        const std::optional<double> value = x ? formula.Value(*x, row + 1) : std::nullopt;
        if (!x)
            out.refusal = CellRefusal(table, row, column, out.before, Fill(Checks::tr("当前值不是数字")));
        else if (!value)
            out.refusal =
                CellRefusal(table, row, column, out.before, Fill(Checks::tr("结果不是有限的数（除以零？）")));
        else
            out.after = UnitText(RoundToUnit(*value, codec), codec);
        if (out.Fits())
            plan.edit.SetCell(row, column, out.after);
        plan.rows.push_back(std::move(out));
    }
    // One check of every result, as Save will make it.
    for (const Error& e : CheckEdit(table, plan.edit))
        for (BulkRow& r : plan.rows)
            if (r.row == e.row - 1 && r.Fits())
                r.refusal = e;
    return plan;
}

} // namespace dravik::rom
