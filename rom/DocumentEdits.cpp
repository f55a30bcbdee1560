// The document's one mutation path and its listeners.
#include <algorithm>
#include <set>

#include "rom/RomDocument.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
bool ValidCell(const Table& t, int row, int column)
{
    return row >= 0 && row < t.Rows() && column > 0 && column < t.Columns();
}

const CodeArray* ValidCode(const Table& t, const std::string& array, int row, int k)
{
    const CodeArray* a = t.FindCodes(array);
    return a && row >= 0 && row < t.Rows() && k >= 0 && k < a->perRow ? a : nullptr;
}

// Everything an edit can change in one row, to compare before and after.
struct RowState {
    std::vector<std::string> cells;
    std::vector<int> codes;

    RowState(const Table& t, int row)
    {
        for (int column = 0; column < t.Columns(); ++column)
            cells.push_back(t.Cell(row, column));
        for (const CodeArray& a : t.CodeArrays())
            for (int k = 0; k < a.perRow; ++k)
                codes.push_back(a.At(row, k));
    }
};
} // namespace

Change RomDocument::Apply(const Edit& edit)
{
    Change change{edit.TableId(), {}, {}};
    Table* t = model_.Find(edit.TableId());
    if (!t)
        return change;

    std::set<int> rows;
    for (const Edit::Cell& c : edit.Cells())
        if (ValidCell(*t, c.row, c.column))
            rows.insert(c.row);
    for (const Edit::Code& c : edit.Codes())
        if (ValidCode(*t, c.array, c.row, c.k))
            rows.insert(c.row);
    std::vector<RowState> before;
    for (int row : rows)
        before.emplace_back(*t, row);

    for (const Edit::Cell& c : edit.Cells())
        if (ValidCell(*t, c.row, c.column))
            t->SetCell(c.row, c.column, c.text);
    for (const Edit::Code& c : edit.Codes())
        if (ValidCode(*t, c.array, c.row, c.k))
            t->SetCode(c.array, c.row, c.k, c.value);

    size_t i = 0;
    for (int row : rows) {
        const RowState& old = before[i++];
        for (int column = 1; column < t->Columns(); ++column) {
            const std::string& now = t->Cell(row, column);
            if (now != old.cells[static_cast<size_t>(column)])
                change.cells.push_back({row, column, old.cells[static_cast<size_t>(column)], now});
        }
        size_t n = 0;
        for (const CodeArray& a : t->CodeArrays())
            for (int k = 0; k < a.perRow; ++k, ++n)
                if (a.At(row, k) != old.codes[n])
                    change.codes.push_back({a.name, row, k, old.codes[n], a.At(row, k)});
    }
    if (!change.Empty())
        Notify(change);
    return change;
}

void RomDocument::Replay(const Change& change)
{
    Table* t = model_.Find(change.tableId);
    if (!t || change.Empty())
        return;
    for (const CellChange& c : change.cells)
        if (ValidCell(*t, c.row, c.column))
            t->SetCell(c.row, c.column, c.after);
    for (const CodeChange& c : change.codes)
        if (ValidCode(*t, c.array, c.row, c.k))
            t->SetCode(c.array, c.row, c.k, c.after);
    Notify(change);
}

int RomDocument::Subscribe(ChangeListener listener)
{
    listeners_.emplace_back(nextToken_, std::move(listener));
    return nextToken_++;
}

void RomDocument::Unsubscribe(int token)
{
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [token](const auto& l) { return l.first == token; }),
                     listeners_.end());
}

void RomDocument::Notify(const Change& change)
{
    // A listener may unsubscribe (a view closing) while being told.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners)
        listener(change);
}

Review RomDocument::ReviewChanges() const
{
    if (!loaded_) {
        Review review;
        review.entries = ChangedFields(model_);
        review.error = Error::Failure(Fill(Files::tr("没有载入文件。")));
        return review;
    }
    ImageFile file;
    if (std::optional<Error> failed = ReadImage(path_, ReadExtent::Whole, file)) {
        Review review;
        review.entries = ChangedFields(model_);
        review.error = std::move(failed);
        return review;
    }
    Review review = MakeReview(model_, file.bytes, form_, fixChecksum_);
    if (readOnly_)
        review.error = ReadOnlyRefusal(path_);
    return review;
}

} // namespace dravik::rom
