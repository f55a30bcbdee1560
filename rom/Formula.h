#pragma once
// Bulk changes of one value column: a formula in x (the cell's current value) and r (the row,
// counted from 1) worked out for a set of rows, each result rounded to the field's unit and
// checked as Save checks it, then applied as one edit.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Passes.h"
#include "rom/Table.h"

namespace dravik::rom {

// Longer formulas are refused before they are read.
constexpr size_t kMaximumFormulaLength = 200;

// One formula, read once and worked out for many rows. It knows numbers, x and r, + - * / ^,
// parentheses, comparisons with ?:, and round, floor, ceil, abs, min and max. It cannot loop.
class Formula {
public:
    Formula();
    ~Formula();
    Formula(const Formula&) = delete;
    Formula& operator=(const Formula&) = delete;

    // Reads the text (full-width characters taken as their half-width forms). Returns nothing, or
    // why it cannot be read; a formula that was not read gives no values.
    std::optional<Error> Read(const std::string& text);
    // Whether the formula reads x (a plain number to fill does not).
    bool UsesX() const;
    // The value for x and r; nullopt when it is not a finite number (a division by zero).
    std::optional<double> Value(double x, int r) const;

private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};

// The codec of a value column: hundredths where a field declares them, else whole numbers.
Codec ValueCodec(const TableLayout& layout, int column);

// A value rounded half away from zero to the codec's unit, in units (hundredths for Hundredths),
// decided on its decimal digits so that 1.005 rounds up like the number it was written as.
int64_t RoundToUnit(double value, Codec codec);
// The cell text of a number of units.
std::string UnitText(int64_t units, Codec codec);

// The number a value cell's text stands for, in the codec's units, read as Save reads it:
// full-width forms as ASCII, spaces and line breaks around it ignored, empty as 0, extra decimals
// rounded half up. A minus in front counts (the load shows a stored value below its row flag so).
// nullopt for a text that is no number. Whatever compares or draws cells by value asks this.
std::optional<int64_t> CellUnits(const std::string& text, Codec codec);
// The number a value cell holds (hundredths as a fraction); nullopt for no number or no value cell.
std::optional<double> CellValue(const Table& table, int row, int column);

struct BulkRow {
    int row = 0; // counted from 0
    std::string before;
    std::string after;            // empty when no value could be worked out
    std::optional<Error> refusal; // why the row does not fit

    bool Fits() const { return !refusal; }
};

struct BulkPlan {
    std::optional<Error> error; // the column, the rows or the formula refused as a whole
    std::vector<BulkRow> rows;
    Edit edit{""}; // every row's new text; apply only when Ok()

    bool Ok() const;
    int Misfits() const;
};

// Works a formula out for the rows (counted from 0) of one value column. Every result is
// checked as Save would check it; rows that already hold their result are listed unchanged.
BulkPlan PlanBulk(const Table& table, int column, const std::vector<int>& rows, const std::string& formula);

} // namespace dravik::rom
