#include "rom/Recovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iterator>

#include "rom/FileOps.h"
#include "rom/JournalFiles.h"
#include "rom/Layout.h"
#include "rom/TextChecks.h"
#include "rom/Texts.h"

namespace dravik::rom {

namespace {
constexpr const char* kFormat = "dravik-recovery-1";

bool IsInt(const QJsonValue& v, int low, int high)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    // The range first: converting a double an int cannot hold is undefined (found by fuzz_recovery).
    return d >= low && d <= high && d == static_cast<double>(static_cast<int>(d));
}

// One table's entries, held to the rules an import is held to: only value cells, only codes an
// import may change, every position inside the table. The reason for the first one that is not.
std::string ParseTable(const TableLayout& layout, const QJsonObject& object, Edit& edit)
{
    for (const char* key : {"cells", "codes"}) {
        const QJsonValue list = object.value(QLatin1String(key));
        if (!list.isUndefined() && !list.isArray())
            return Fill(Recovery::tr("\"%1\" 必须是数组"), key);
    }
    const std::vector<int> valueColumns = layout.ValueColumns();
    const QJsonArray cells = object.value("cells").toArray();
    for (int i = 0; i < cells.size(); ++i) {
        const QJsonArray cell = cells[i].toArray();
        if (cell.size() != 3 || !IsInt(cell[0], 0, layout.Rows() - 1) || !IsInt(cell[1], 0, 1 << 16) ||
            !cell[2].isString())
            return Fill(Recovery::tr("单元格第 %1 项应是 [行, 列, 文本]，行在表内"), i + 1);
        const int column = cell[1].toInt();
        if (std::find(valueColumns.begin(), valueColumns.end(), column) == valueColumns.end())
            return Fill(Recovery::tr("单元格第 %1 项：第 %2 列不是可以修改的数值列"), i + 1, column);
        edit.SetCell(cell[0].toInt(), column, cell[2].toString().toStdString());
    }
    const QJsonArray codes = object.value("codes").toArray();
    for (int i = 0; i < codes.size(); ++i) {
        const QJsonArray code = codes[i].toArray();
        if (code.size() != 4 || !code[0].isString() || !IsInt(code[1], 0, layout.Rows() - 1) ||
            !IsInt(code[3], -1000000, 1000000))
            return Fill(Recovery::tr("代码第 %1 项应是 [数组, 行, 序号, 整数值]，行在表内"), i + 1);
        const std::string name = code[0].toString().toStdString();
        const CodeArraySpec* arrayDecl = layout.FindCodeArray(name);
        if (!arrayDecl)
            return Fill(Recovery::tr("代码第 %1 项：没有代码数组 \"%2\""), i + 1, name);
        if (!IsInt(code[2], 0, arrayDecl->perRow - 1))
            return Fill(Recovery::tr("代码第 %1 项：代码 %2 每行只有 %n 项", nullptr, arrayDecl->perRow),
                        i + 1, name);
        // Such a code is never saved: an import that changes one is refused, and so is a record.
        if (arrayDecl->readOnly)
            return Fill(Recovery::tr("代码第 %1 项：代码 %2 不能修改"), i + 1, name);
        edit.SetCode(name, code[1].toInt(), code[2].toInt(), code[3].toInt());
    }
    return {};
}
} // namespace

int RecoveryRecord::Count() const
{
    int n = 0;
    for (const Edit& e : edits)
        n += static_cast<int>(e.Cells().size() + e.Codes().size());
    return n;
}

std::string HashImage(const std::vector<ImagePart>& parts)
{
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    for (const ImagePart& p : parts) {
        const char offset[4] = {static_cast<char>(p.offset), static_cast<char>(p.offset >> 8),
                                static_cast<char>(p.offset >> 16), static_cast<char>(p.offset >> 24)};
        hash.addData(QByteArrayView(offset, 4));
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(p.bytes.data()),
                                    static_cast<qsizetype>(p.bytes.size())));
    }
    return hash.result().toHex().toStdString();
}

namespace {
// The changed entries of every table, and (when before is given) their baseline values.
std::vector<Edit> Unsaved(const Model& model, std::vector<Edit>* before)
{
    std::vector<Edit> out;
    for (const Table& t : model.Tables()) {
        Edit edit(t.Id()), base(t.Id());
        const std::vector<int> columns = t.Layout().ValueColumns();
        for (int row = 0; row < t.Rows(); ++row) {
            for (int column : columns)
                if (t.Cell(row, column) != t.BaselineCell(row, column)) {
                    edit.SetCell(row, column, t.Cell(row, column));
                    base.SetCell(row, column, t.BaselineCell(row, column));
                }
            for (const CodeArray& a : t.CodeArrays())
                for (int k = 0; k < a.perRow; ++k)
                    if (a.At(row, k) != t.BaselineCode(a.name, row, k)) {
                        edit.SetCode(a.name, row, k, a.At(row, k));
                        base.SetCode(a.name, row, k, t.BaselineCode(a.name, row, k));
                    }
        }
        if (edit.Empty())
            continue;
        out.push_back(std::move(edit));
        if (before)
            before->push_back(std::move(base));
    }
    return out;
}
} // namespace

std::vector<Edit> UnsavedEdits(const Model& model) { return Unsaved(model, nullptr); }

CarriedChanges CarryUnsaved(const Model& model)
{
    CarriedChanges carried;
    carried.mine = Unsaved(model, &carried.before);
    return carried;
}

Reapplication PlanReapply(const Model& reloaded, const CarriedChanges& carried)
{
    Reapplication plan;
    for (size_t i = 0; i < carried.mine.size() && i < carried.before.size(); ++i) {
        const Edit& mine = carried.mine[i];
        const Edit& before = carried.before[i];
        const Table* t = reloaded.Find(mine.TableId());
        if (!t)
            continue;
        Edit edit(mine.TableId());
        for (size_t j = 0; j < mine.Cells().size(); ++j) {
            const Edit::Cell& c = mine.Cells()[j];
            const std::string now = t->Cell(c.row, c.column);
            if (now == c.text)
                continue;
            plan.changedAlso += now != before.Cells()[j].text;
            edit.SetCell(c.row, c.column, c.text);
        }
        for (size_t j = 0; j < mine.Codes().size(); ++j) {
            const Edit::Code& c = mine.Codes()[j];
            const int now = t->Code(c.array, c.row, c.k);
            if (now == c.value)
                continue;
            plan.changedAlso += now != before.Codes()[j].value;
            edit.SetCode(c.array, c.row, c.k, c.value);
        }
        plan.count += static_cast<int>(edit.Cells().size() + edit.Codes().size());
        if (!edit.Empty())
            plan.edits.push_back(std::move(edit));
    }
    return plan;
}

std::string RecordPath(const std::string& folder, const std::string& imagePath, int slot)
{
    // The same image reached by another spelling of its path is the same image.
    const QFileInfo info(TextArg(imagePath));
    const QString canonical =
        info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QByteArray key = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex();
    const QString number = slot > 0 ? QStringLiteral("-%1").arg(slot + 1) : QString();
    return QDir(TextArg(folder))
        .filePath(QString::fromLatin1(key) + number + QStringLiteral(".json"))
        .toStdString();
}

int Overlapping(const Model& model, const std::vector<Edit>& edits)
{
    int n = 0;
    for (const Edit& e : edits) {
        const Table* t = model.Find(e.TableId());
        if (!t)
            continue;
        for (const Edit::Cell& c : e.Cells()) {
            const std::string now = t->Cell(c.row, c.column);
            n += now != c.text && now != t->BaselineCell(c.row, c.column);
        }
        for (const Edit::Code& c : e.Codes()) {
            const int now = t->Code(c.array, c.row, c.k);
            n += now != c.value && now != t->BaselineCode(c.array, c.row, c.k);
        }
    }
    return n;
}

namespace {
QJsonObject TablesObject(const std::vector<Edit>& edits)
{
    QJsonObject tables;
    for (const Edit& e : edits) {
        QJsonArray cells, codes;
        for (const Edit::Cell& c : e.Cells())
            cells.append(QJsonArray{c.row, c.column, TextArg(c.text)});
        for (const Edit::Code& c : e.Codes())
            codes.append(QJsonArray{TextArg(c.array), c.row, c.k, c.value});
        tables.insert(TextArg(e.TableId()), QJsonObject{{"cells", cells}, {"codes", codes}});
    }
    return tables;
}

// The edits of a "tables" object, in pass order (as the review lists them); the reason when one
// is not what an import accepts.
std::optional<Error> ParseTables(const QJsonObject& tables, std::vector<Edit>& out)
{
    for (const TableLayout& layout : AllLayouts()) {
        const QJsonValue table = tables.value(QString::fromLatin1(layout.id));
        if (table.isUndefined())
            continue;
        Edit edit(layout.id);
        const std::string reason =
            table.isObject() ? ParseTable(layout, table.toObject(), edit) : Fill(Recovery::tr("必须是对象"));
        if (!reason.empty())
            return Error::Failure(Fill(Recovery::tr("恢复记录中表 %1 的内容无效：%2"), layout.id, reason));
        out.push_back(std::move(edit));
    }
    for (auto it = tables.begin(); it != tables.end(); ++it)
        if (!FindLayout(it.key().toStdString()))
            return Error::Failure(Fill(Recovery::tr("恢复记录中有未知的表 %1"), it.key()));
    return std::nullopt;
}

// The same cells and codes, entry for entry.
bool SameEntries(const std::vector<Edit>& a, const std::vector<Edit>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const Edit &x = a[i], &y = b[i];
        if (x.TableId() != y.TableId() || x.Cells().size() != y.Cells().size() ||
            x.Codes().size() != y.Codes().size())
            return false;
        for (size_t j = 0; j < x.Cells().size(); ++j)
            if (x.Cells()[j].row != y.Cells()[j].row || x.Cells()[j].column != y.Cells()[j].column)
                return false;
        for (size_t j = 0; j < x.Codes().size(); ++j)
            if (x.Codes()[j].array != y.Codes()[j].array || x.Codes()[j].row != y.Codes()[j].row ||
                x.Codes()[j].k != y.Codes()[j].k)
                return false;
    }
    return true;
}
} // namespace

std::string SerializeRecord(const RecoveryRecord& record)
{
    QJsonObject root{{"format", kFormat},
                     {"image", TextArg(record.imagePath)},
                     {"hash", TextArg(record.imageHash)},
                     {"tables", TablesObject(record.edits)}};
    if (!record.before.empty())
        root.insert("before", TablesObject(record.before));
    return QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString();
}

std::optional<Error> ParseRecord(const std::string& text, RecoveryRecord& record)
{
    QJsonDocument doc;
    if (const std::optional<Error> invalid = ParseJsonStrictly(text, doc))
        return Error::Failure(Fill(Recovery::tr("不是有效的恢复记录：%1"), Describe(*invalid)));
    const QJsonObject root = doc.object();
    if (root.value("format").toString() != QLatin1String(kFormat) || !root.value("image").isString() ||
        !root.value("hash").isString() || !root.value("tables").isObject())
        return Error::Failure(Fill(Recovery::tr("不是有效的恢复记录")));
    RecoveryRecord parsed;
    parsed.imagePath = root.value("image").toString().toStdString();
    parsed.imageHash = root.value("hash").toString().toStdString();
    if (std::optional<Error> invalid = ParseTables(root.value("tables").toObject(), parsed.edits))
        return invalid;
    if (const QJsonValue before = root.value("before"); !before.isUndefined()) {
        if (!before.isObject())
            return Error::Failure(Fill(Recovery::tr("不是有效的恢复记录")));
        if (std::optional<Error> invalid = ParseTables(before.toObject(), parsed.before))
            return invalid;
        if (!SameEntries(parsed.edits, parsed.before))
            return Error::Failure(Fill(Recovery::tr("恢复记录中的原值与修改不对应")));
    }
    record = std::move(parsed);
    return std::nullopt;
}

std::optional<Error> WriteRecord(const std::string& path, const RecoveryRecord& record)
{
    const QFileInfo info(TextArg(path));
    if (!QDir().mkpath(info.absolutePath()))
        return Error::Writing(path, 0, Fill(Recovery::tr("无法创建文件夹 %1"), info.absolutePath()));
    // A new file renamed over the record: a process killed at any moment leaves the old record
    // or the new one. No flush to the disk: the record guards against the process ending, and a
    // flush after every keystroke would cost more than the edit itself.
    const std::string text = SerializeRecord(record);
    const int result = ReplaceFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), false);
    if (result != 0)
        return Error::Writing(path, -result);
    return std::nullopt;
}

std::optional<Error> ReadRecord(const std::string& path, RecoveryRecord& record)
{
    // A record holds the edits of one image: far below this. Never a link followed, a FIFO
    // waited on or a huge file read into memory.
    constexpr uint64_t kMaximumRecordSize = 1 << 20;
    std::vector<uint8_t> bytes;
    if (std::optional<Error> read = ReadSideFile(path, kMaximumRecordSize, bytes))
        return read;
    return ParseRecord(std::string(bytes.begin(), bytes.end()), record);
}

bool MayReadLater(const Error& refused)
{
    // Not a regular file, a link, or too large: it stays so. A missing file is no record at all.
    const int never[] = {ELOOP, EISDIR, EINVAL, EFBIG};
    return refused.what == Error::Kind::Reading && refused.systemError != 0 && !refused.Missing() &&
           std::find(std::begin(never), std::end(never), refused.systemError) == std::end(never);
}

bool RemoveRecord(const std::string& path)
{
    return QFile::remove(TextArg(path)) || !QFileInfo::exists(TextArg(path));
}

int LockRecord(const std::string& path, LockFile& lock)
{
    QDir().mkpath(QFileInfo(TextArg(path)).absolutePath()); // else the lock says why it cannot be made
    return lock.TryLock(path + ".lock", 0);
}

} // namespace dravik::rom
