#include "rom/ImageDiff.h"

#include "rom/CodeColumns.h"
#include "rom/Texts.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>

namespace dravik::rom {

namespace {
// Who a span of bytes belongs to: a cell's column, a code entry, or a table's own hook.
struct Owner {
    int column = -1;
    int array = -1; // index into the table's code arrays
    int k = 0;
};

struct OwnedSpan {
    Span span;
    Owner owner;
};

int ArrayIndex(const Table& table, const std::string& name)
{
    const std::vector<CodeArray>& arrays = table.CodeArrays();
    for (size_t i = 0; i < arrays.size(); ++i)
        if (arrays[i].name == name)
            return static_cast<int>(i);
    return -1;
}

// Every span one row occupies in the image, with its owner: what the load pass reads, plus the
// fields only the save pass writes. The row is loaded into table on the way.
void RowSpans(const Bytes& image, ImageForm form, Table& table, int row, std::vector<Span>& reads,
              std::vector<OwnedSpan>& out)
{
    out.clear();
    reads.clear();
    LoadRow(LoadContext(image, form, &reads), table, row);
    const TableLayout& layout = table.Layout();
    auto at = [&](const Field& f) { return form.FileOffset(f.Address(layout.base, layout.stride, row)); };
    for (const Span& s : reads) {
        Owner owner;
        for (const Field& f : layout.fields) {
            if (f.saveOnly || at(f) != s.offset || f.width != s.width)
                continue;
            if (f.codec == Codec::Code) {
                owner.array = ArrayIndex(table, f.codeArray);
                owner.k = f.codeIndex;
            } else {
                owner.column = f.column;
            }
            break;
        }
        out.push_back({s, owner});
    }
    for (const Field& f : layout.fields)
        if (f.saveOnly)
            out.push_back({Span{at(f), f.width}, Owner{f.column, -1, 0}});
}

std::string Hex(uint32_t value, int digits)
{
    static const char* const kDigits = "0123456789ABCDEF";
    std::string s = "0x";
    for (int i = digits - 1; i >= 0; --i)
        s += kDigits[(value >> (4 * i)) & 0xF];
    return s;
}

std::string SpanBytes(const Bytes& image, const Span& s)
{
    std::string out;
    for (int i = 0; i < s.width; ++i) {
        const uint32_t at = s.offset + static_cast<uint32_t>(i);
        out += (i ? " " : "") + (at < image.size() ? Hex(image[at], 2).substr(2) : std::string("--"));
    }
    return out;
}

// Where a span of A lies in B: the tables sit 0x200 lower in an image without the copier header.
Span InB(const Span& s, int64_t shift) { return Span{static_cast<uint32_t>(s.offset + shift), s.width}; }

int64_t HeaderSize(ImageForm form) { return form.header ? kCopierHeaderSize : 0; }

bool SpanDiffers(const Bytes& a, const Bytes& b, const Span& s, int64_t shift)
{
    for (int i = 0; i < s.width; ++i) {
        const size_t at = s.offset + static_cast<size_t>(i), atB = static_cast<size_t>(at + shift);
        const bool inA = at < a.size(), inB = atB < b.size();
        if (inA != inB || (inA && a[at] != b[atB]))
            return true;
    }
    return false;
}

void MarkSpan(std::vector<bool>& map, const Span& s)
{
    const size_t end = static_cast<size_t>(s.offset) + static_cast<size_t>(s.width);
    if (map.size() < end)
        map.resize(end, false);
    for (size_t i = s.offset; i < end; ++i)
        map[i] = true;
}

class RowComparer {
public:
    RowComparer(const Table& a, const Table& b, const std::vector<EntryColumns>& entries, ImageDiff& diff)
        : a_(a), b_(b), entries_(entries), diff_(diff)
    {
    }

    void Compare(int row, const std::vector<OwnedSpan>& spans, const Bytes& imageA, const Bytes& imageB,
                 int64_t shift)
    {
        reportedColumns_.clear();
        reportedEntries_.clear();
        for (int c = 1; c < a_.Columns(); ++c) {
            if (a_.Cell(row, c) == b_.Cell(row, c))
                continue;
            Add(row, a_.ColumnTitle(c), a_.Cell(row, c), b_.Cell(row, c), false);
            reportedColumns_.insert(c);
        }
        for (const EntryColumns& e : entries_) {
            const int before = a_.CodeArrays()[static_cast<size_t>(e.array)].At(row, e.k);
            const int after = b_.CodeArrays()[static_cast<size_t>(e.array)].At(row, e.k);
            if (before == after)
                continue;
            reportedEntries_.insert({e.array, e.k});
            const bool shown =
                !e.columns.empty() && std::all_of(e.columns.begin(), e.columns.end(),
                                                  [&](int c) { return reportedColumns_.count(c) > 0; });
            if (!shown)
                Add(row, EntryTitle(e), Hex(static_cast<uint32_t>(before), 2),
                    Hex(static_cast<uint32_t>(after), 2), false);
        }
        for (const OwnedSpan& s : spans) {
            if (!SpanDiffers(imageA, imageB, s.span, shift) || Covered(s.owner))
                continue;
            const std::string title = s.owner.column >= 0  ? a_.ColumnTitle(s.owner.column)
                                      : s.owner.array >= 0 ? EntryTitle(s.owner.array, s.owner.k)
                                                           : "字节 " + Hex(s.span.offset, 6);
            Add(row, title, SpanBytes(imageA, s.span), SpanBytes(imageB, InB(s.span, shift)), true);
        }
    }

private:
    std::string EntryTitle(int array, int k) const
    {
        const CodeArray& codes = a_.CodeArrays()[static_cast<size_t>(array)];
        return codes.perRow > 1 ? codes.name + "[" + std::to_string(k) + "]" : codes.name;
    }
    std::string EntryTitle(const EntryColumns& e) const { return EntryTitle(e.array, e.k); }

    bool Covered(const Owner& owner) const
    {
        if (owner.column >= 0)
            return reportedColumns_.count(owner.column) > 0;
        if (owner.array >= 0)
            return reportedEntries_.count({owner.array, owner.k}) > 0;
        // A hook's span: it feeds the hook columns and the code entries no field declares.
        for (const KeyedColumn& hook : a_.Layout().hookColumns)
            if (reportedColumns_.count(hook.column))
                return true;
        return !reportedEntries_.empty() && HookEntryReported();
    }

    bool HookEntryReported() const
    {
        for (const auto& [array, k] : reportedEntries_) {
            const std::string& name = a_.CodeArrays()[static_cast<size_t>(array)].name;
            const bool declared =
                std::any_of(a_.Layout().fields.begin(), a_.Layout().fields.end(),
                            [&](const Field& f) { return f.codec == Codec::Code && name == f.codeArray; });
            if (!declared)
                return true;
        }
        return false;
    }

    void Add(int row, const std::string& column, const std::string& before, const std::string& after,
             bool storedOnly)
    {
        diff_.fields.push_back(
            FieldChange{a_.Id(), a_.Title(), row, a_.RowLabel(row), column, before, after, storedOnly});
    }

    const Table& a_;
    const Table& b_;
    const std::vector<EntryColumns>& entries_;
    ImageDiff& diff_;
    std::set<int> reportedColumns_;
    std::set<std::pair<int, int>> reportedEntries_;
};

// Compares A with B as far as both go, B shifted as the tables are, outside the fields (sorted
// by offset); a header only one image has is not compared. A field's byte ends a run.
void FindRuns(const Bytes& a, const Bytes& b, int64_t shift, std::vector<Span>& fields, ImageDiff& diff)
{
    const size_t from = shift < 0 ? static_cast<size_t>(-shift) : 0;
    const size_t common =
        std::min<size_t>(a.size(), static_cast<size_t>(static_cast<int64_t>(b.size()) - shift));
    const uint8_t* pa = a.data();
    const uint8_t* pb = b.data() + shift;
    auto scan = [&](size_t i, size_t end) {
        while (i < end) {
            while (i + 8 <= end && std::memcmp(pa + i, pb + i, 8) == 0)
                i += 8;
            while (i < end && pa[i] == pb[i])
                ++i;
            const size_t start = i;
            while (i < end && pa[i] != pb[i])
                ++i;
            if (i > start) {
                diff.runs.push_back(ByteRun{static_cast<uint32_t>(start), static_cast<uint32_t>(i - start)});
                diff.bytesOutside += i - start;
            }
        }
    };
    std::sort(fields.begin(), fields.end(), [](const Span& x, const Span& y) { return x.offset < y.offset; });
    size_t at = from;
    for (const Span& f : fields) {
        if (f.offset > at)
            scan(at, std::min<size_t>(f.offset, common));
        at = std::max<size_t>(at, size_t{f.offset} + static_cast<size_t>(f.width));
        if (at >= common)
            return;
    }
    scan(at, common);
}
} // namespace

std::vector<bool> FieldByteMap(ImageForm form)
{
    std::vector<bool> map;
    Model model;
    const Bytes none;
    std::vector<Span> reads;
    std::vector<OwnedSpan> spans;
    for (Table& table : model.Tables())
        for (int row = 0; row < table.Rows(); ++row) {
            RowSpans(none, form, table, row, reads, spans);
            for (const OwnedSpan& s : spans)
                MarkSpan(map, s.span);
        }
    return map;
}

ImageDiff DiffImages(const Bytes& a, const Bytes& b, const names::NameSetPtr& names)
{
    ImageDiff diff;
    diff.sizeA = a.size();
    diff.sizeB = b.size();
    diff.formA = ImageForm::OfSize(a.size());
    diff.formB = ImageForm::OfSize(b.size());
    const int64_t shift = HeaderSize(diff.formB) - HeaderSize(diff.formA);
    // A's rows are loaded as their spans are found; B's only where the bytes differ.
    Model modelA(names), modelB(names);
    const LoadContext readB(b, diff.formB);

    std::vector<Span> fieldSpans;
    std::vector<Span> reads;
    std::vector<OwnedSpan> spans;
    for (size_t t = 0; t < modelA.Tables().size(); ++t) {
        Table& tableA = modelA.Tables()[t];
        Table& tableB = modelB.Tables()[t];
        // Built at the table's first differing row: most tables of a mod have none.
        std::vector<EntryColumns> entries;
        std::optional<RowComparer> comparer;
        for (int row = 0; row < tableA.Rows(); ++row) {
            RowSpans(a, diff.formA, tableA, row, reads, spans);
            bool differs = false;
            for (const OwnedSpan& s : spans) {
                fieldSpans.push_back(s.span);
                differs = differs || SpanDiffers(a, b, s.span, shift);
            }
            // A row's cells come from the bytes it reads: the same bytes, the same cells.
            if (!differs)
                continue;
            if (!comparer) {
                entries = MapCodeEntries(tableA.Layout());
                comparer.emplace(tableA, tableB, entries, diff);
            }
            LoadRow(readB, tableB, row);
            comparer->Compare(row, spans, a, b, shift);
        }
    }
    FindRuns(a, b, shift, fieldSpans, diff);
    return diff;
}

int ChangedFields(const std::vector<ImagePart>& earlier, const Bytes& now)
{
    // The earlier stretches laid over the file as it is: the two differ only where it changed.
    Bytes before = now;
    for (const ImagePart& part : earlier) {
        if (part.offset + part.bytes.size() > before.size())
            return -1;
        std::copy(part.bytes.begin(), part.bytes.end(), before.begin() + part.offset);
    }
    return static_cast<int>(DiffImages(before, now).fields.size());
}

std::string RunsSummary(const ImageDiff& diff, bool listed)
{
    return Fill(listed ? Patches::tr("字段以外的字节差异 %1，共 %2：")
                       : Patches::tr("字段以外的字节差异 %1，共 %2。"),
                Fill(Patches::tr("%n 段", nullptr, PluralCount(diff.runs.size()))),
                Fill(Patches::tr("%n 字节", nullptr, PluralCount(diff.bytesOutside))));
}

std::string RunsNotListed(const ImageDiff& diff)
{
    if (diff.runs.size() <= kListedRuns)
        return {};
    return Fill(Patches::tr("……另有 %n 段未列出", nullptr, PluralCount(diff.runs.size() - kListedRuns)));
}

} // namespace dravik::rom
