// export, import, set and sample: the command line's view of the same model the window shows.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <set>
#include <sstream>

#include "cli/Commands.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "rom/FileOps.h"
#include "rom/Formula.h"
#include "rom/InternalHeader.h"
#include "rom/PatchFiles.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "rom/SaveJournal.h"
#include "rom/Texts.h"

namespace dravik::cli {

namespace {
// The texts of the helpers below.
struct TableFiles {
    Q_DECLARE_TR_FUNCTIONS(TableFiles)
};

constexpr qint64 kMaximumJsonSize = qint64(64) << 20;

bool ParseSeed(const std::string& text, uint32_t& seed)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long long v = std::stoull(text);
    if (v > 0xFFFFFFFFull)
        return false;
    seed = static_cast<uint32_t>(v);
    return true;
}
// Reads at most kMaximumJsonSize bytes: anything longer (a huge file, /dev/zero) is refused
// before it can exhaust memory.
bool ReadBounded(const std::string& path, std::string& text, std::ostream& err)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        err << TableFiles::tr("无法读取 %1：%2").arg(file.fileName(), file.errorString()) << "\n";
        return false;
    }
    if (!file.isSequential() && file.size() > kMaximumJsonSize) {
        err << TableFiles::tr("无法读取 %1：文件有 %2 字节，超过 64 MiB，不会是导出的数据表。")
                   .arg(file.fileName(), QString::number(file.size()))
            << "\n";
        return false;
    }
    const QByteArray data = file.read(kMaximumJsonSize + 1);
    if (file.error() != QFileDevice::NoError) {
        err << TableFiles::tr("无法读取 %1：%2").arg(file.fileName(), file.errorString()) << "\n";
        return false;
    }
    if (data.size() > kMaximumJsonSize) {
        err << TableFiles::tr("无法读取 %1：内容超过 64 MiB，不会是导出的数据表。").arg(file.fileName())
            << "\n";
        return false;
    }
    text = data.toStdString();
    return true;
}

bool KnownTable(const std::string& id)
{
    for (const rom::TableLayout& layout : rom::AllLayouts())
        if (id == layout.id)
            return true;
    return false;
}

// The export of one image as text; false (and the reason in err) when it cannot be read.
bool ExportText(const std::string& rom, const std::string& table, const names::NameSetPtr& names,
                std::string& text, std::ostream& err)
{
    rom::RomDocument doc;
    doc.SetNames(names);
    if (!OpenImage(doc, rom, err))
        return false;
    if (table.empty()) {
        text = TablesJson(doc.GetModel(), doc.Form().header);
    } else {
        std::ostringstream csv;
        WriteTableCsv(doc.GetModel().Get(table), csv);
        text = csv.str();
    }
    return true;
}

// Where each image's export goes in the output folder: its name with the format's extension.
// Two images of one name would overwrite each other (wrong usage), and an export over one of the
// images would lose it (refused): both are found before anything is read. The status, or kSuccess.
int OutputPaths(const std::vector<std::string>& roms, const QString& dir, const char* extension,
                std::vector<QString>& paths, std::ostream& err)
{
    std::set<QString> seen;
    for (const std::string& rom : roms) {
        const QString name = QFileInfo(QString::fromStdString(rom)).completeBaseName() + extension;
        if (!seen.insert(name).second) {
            err << "dravik: " << TableFiles::tr("两个映像都会导出到 %1，请分开导出").arg(name) << "\n";
            return kWrongUsage;
        }
        paths.push_back(QDir(dir).filePath(name));
    }
    for (const QString& path : paths)
        for (const std::string& rom : roms)
            if (rom::SameFile(path.toStdString(), rom)) {
                err << "dravik: "
                    << TableFiles::tr("导出不能写到映像文件 %1 上，请另选输出文件夹；什么也没有写入。")
                           .arg(path)
                    << "\n";
                return kRefused;
            }
    return kSuccess;
}

// An export is written beside the old file and renamed over it once complete: a failure leaves
// no partial or empty file, and an older export of the same name as it was.
bool WriteText(const QString& path, const std::string& text, std::ostream& err)
{
    const int error =
        rom::ReplaceFile(path.toStdString(), reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (error == 0)
        return true;
    err << TableFiles::tr("无法写入 %1：%2。这个文件没有写入%3。")
               .arg(path, QString::fromStdString(rom::ErrorText(-error)),
                    QFileInfo::exists(path) ? TableFiles::tr("，原有的文件保持原样") : QString())
        << "\n";
    return false;
}

// The end of a command that changes the document: with --dry-run the review of what a save would
// do (the file only read), otherwise the save itself, with --backup as asked. `refused` words
// a refused dry run, its %1 the image.
int SaveOrReview(rom::RomDocument& doc, const QCommandLineParser& parsed, const QString& refused,
                 std::ostream& out, std::ostream& err)
{
    const QString rom = parsed.positionalArguments()[0];
    if (parsed.isSet("dry-run")) {
        const rom::Review review = doc.ReviewChanges();
        out << review.Format();
        if (doc.IsReadOnly()) {
            err << rom::Describe(rom::ReadOnlyRefusal(doc.Path())) << "\n";
            return kRefused;
        }
        if (!review.Refused())
            return kSuccess;
        err << "dravik: " << QString(refused).arg(rom) << "\n";
        return kRefused;
    }
    doc.SetBackupOnSave(parsed.isSet("backup"));
    const rom::SaveResult saved = doc.Save();
    if (!saved.notice.empty()) // where the backup went, an interrupted save rolled back
        err << saved.notice << "\n";
    if (!saved.ok()) {
        err << rom::Describe(*saved.error) << "\n";
        return kRefused;
    }
    const int bytes = saved.changedBytes;
    out << TableFiles::tr("%1：改动了 %n 个字节", nullptr, bytes).arg(rom) << "\n";
    NoteWritten((bytes > 0 ? TableFiles::tr("%1 已经写入（改动了 %n 个字节）", nullptr, bytes).arg(rom)
                           : TableFiles::tr("命令已完成，%1 无需改动").arg(rom))
                    .toStdString());
    return kSuccess;
}

class ExportCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(ExportCommand)

public:
    QString Name() const override { return "export"; }
    QString Summary() const override { return tr("把每张数据表导出为 JSON，或把一张表导出为 CSV"); }
    QStringList Forms() const override
    {
        return {"export ROM [--table ID --format csv]",
                "export ROM... --out-dir DIR [--table ID --format csv]"};
    }
    QString Details() const override
    {
        return tr("把 ROM 的每张数据表以 JSON 写到标准输出；--table 与 --format csv 只写一张表（RFC 4180，\n"
                  "UTF-8）。有 --out-dir 时可以给出多个映像，每个映像写成 DIR 中的 NAME.json（或 .csv）。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"table", tr("只导出这张表（与 --format csv 一起用）"), "ID"},
                {"format", tr("输出格式，默认 json"), "json|csv"},
                {"out-dir", tr("把导出写成这个文件夹中的文件"), "DIR"}};
    }
    int MinArguments() const override { return 1; }
    int MaxArguments() const override { return -1; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int ExportCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
                       std::ostream& err) const
{
    const std::vector<std::string> roms = Utf8(parsed.positionalArguments());
    const std::string table = parsed.value("table").toStdString();
    const std::string format = parsed.isSet("format") ? parsed.value("format").toStdString() : "json";
    const std::string outDir = parsed.value("out-dir").toStdString();
    if ((roms.size() > 1 && outDir.empty()) || (format != "json" && format != "csv") ||
        (format == "csv" && table.empty()))
        return WrongUsage(err);
    if (format == "json" && !table.empty())
        return WrongUsage(err, tr("--table 只能与 --format csv 一起用"));
    if (!table.empty() && !KnownTable(table)) {
        err << "dravik: " << tr("没有名为“%1”的表").arg(QString::fromStdString(table)) << "\n";
        return kWrongUsage;
    }
    if (outDir.empty()) {
        std::string text;
        if (!ExportText(roms.front(), table, names, text, err))
            return kRefused;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return kSuccess;
    }
    const QString dir = QString::fromStdString(outDir);
    if (!QFileInfo(dir).isDir()) {
        err << "dravik: "
            << (QFileInfo::exists(dir) ? tr("输出文件夹 %1 不是文件夹，什么也没有写入")
                                       : tr("输出文件夹 %1 不存在，什么也没有写入"))
                   .arg(dir)
            << "\n";
        return kRefused;
    }
    std::vector<QString> paths;
    if (const int status = OutputPaths(roms, dir, format == "csv" ? ".csv" : ".json", paths, err);
        status != kSuccess)
        return status;
    // Each image stands alone: one that cannot be read does not stop the others.
    int status = kSuccess;
    for (size_t i = 0; i < roms.size(); ++i) {
        std::string text;
        if (!ExportText(roms[i], table, names, text, err) || !WriteText(paths[i], text, err))
            status = kRefused;
    }
    return status;
}

class ImportCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(ImportCommand)

public:
    QString Name() const override { return "import"; }
    QString Summary() const override { return tr("把 JSON 或 CSV 中的数据表写入映像"); }
    QStringList Forms() const override
    {
        return {"import ROM FILE.json [--dry-run] [--backup] [--fix-checksum]",
                "import ROM FILE.csv --table ID [--dry-run] [--backup] [--fix-checksum]"};
    }
    QString Details() const override
    {
        return tr("先检查全部数据，有任何无效的值就什么也不写；成功时显示改动了多少字节。\n"
                  "CSV 文件只有一张表，由 --table 指明，格式与 export --format csv 写出的相同。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"table", tr("CSV 文件中是这张表"), "ID"},
                {"dry-run", tr("列出导入会做的改动和写入的字节，什么也不写")},
                {"backup", tr("写入前把原来的 ROM 保存为 ROM.bak")},
                {"fix-checksum", tr("同时把内部文件头的校验和与补码改成映像的实际值")}};
    }
    int MinArguments() const override { return 2; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int ImportCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
                       std::ostream& err) const
{
    const std::vector<std::string> paths = Utf8(parsed.positionalArguments());
    const std::string csvTable = parsed.value("table").toStdString(); // a CSV file holds one table
    const bool dryRun = parsed.isSet("dry-run");
    const std::string& romPath = paths[0];
    const std::string& jsonPath = paths[1]; // or the CSV file
    // Without --table a CSV file would be read as JSON and refused as that, which names no cause.
    if (csvTable.empty() && parsed.positionalArguments()[1].endsWith(".csv", Qt::CaseInsensitive))
        return WrongUsage(
            err, tr("%1 是 CSV 文件：要用 --table ID 说明它是哪张表").arg(parsed.positionalArguments()[1]));
    rom::RomDocument doc;
    doc.SetNames(names);
    if (!OpenImage(doc, romPath, err))
        return kRefused;
    // A dry run only reads, so it lists the changes even for an image that cannot be written.
    if (doc.IsReadOnly() && !dryRun) {
        err << rom::Describe(rom::ReadOnlyRefusal(romPath)) << "\n";
        return kRefused;
    }
    std::string text;
    if (!ReadBounded(jsonPath, text, err))
        return kRefused;
    std::vector<rom::Edit> edits;
    const std::optional<rom::Error> error =
        csvTable.empty() ? ReadTablesJson(text, jsonPath, doc.GetModel(), edits)
                         : ReadTableCsv(text, jsonPath, csvTable, doc.GetModel(), edits);
    if (error) {
        err << rom::Describe(*error) << "\n";
        return kRefused;
    }
    for (const rom::Edit& edit : edits)
        doc.Apply(edit);
    doc.SetFixChecksumOnSave(parsed.isSet("fix-checksum"));
    return SaveOrReview(doc, parsed, tr("导入会被拒绝（原因见上），%1 没有任何改动。"), out, err);
}

class SampleCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(SampleCommand)

public:
    QString Name() const override { return "sample"; }
    QString Summary() const override { return tr("写出一个确定的合成映像"); }
    QStringList Forms() const override { return {"sample OUT.smc [--seed N] [--no-header]"}; }
    QString Details() const override
    {
        return tr("同一个 N 总是写出同样的映像：0x200200 字节，没有复制器文件头时 0x200000 字节。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"seed", tr("0 到 4294967295 的整数，默认 1"), "N"},
                {"no-header", tr("不写 512 字节的复制器文件头")}};
    }
    bool ShowsNames() const override { return false; }
    int MinArguments() const override { return 1; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int SampleCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr&, std::ostream&,
                       std::ostream& err) const
{
    const std::string path = parsed.positionalArguments()[0].toStdString();
    uint32_t seed = 1;
    if (parsed.isSet("seed") && !ParseSeed(parsed.value("seed").toStdString(), seed)) {
        err << "dravik: " << tr("--seed 要一个 0 到 4294967295 的整数") << "\n";
        return kWrongUsage;
    }
    const bool header = !parsed.isSet("no-header");
    // Over an existing image this is a save like any other: locked, journalled, in place.
    rom::ImageWriter writer;
    std::optional<rom::Error> failed = writer.Begin(path);
    if (!failed)
        failed = writer.Write(rom::MakeSampleImage(seed, header));
    if (!writer.Notice().empty())
        err << writer.Notice() << "\n";
    if (failed) {
        err << rom::Describe(*failed) << "\n";
        return kRefused;
    }
    return kSuccess;
}

// Row numbers as people write them, counted from 1: "1-20,25". Returns them from 0, ascending
// and each once; false for anything else. Of the rows past the table's `count` only the last is
// returned, for the refusal to name: ranges of a million rows are not walked.
bool ParseRows(const QString& text, int count, std::vector<int>& rows)
{
    static const QRegularExpression range("^([0-9]{1,6})(?:-([0-9]{1,6}))?$");
    std::vector<bool> seen(static_cast<size_t>(count));
    int beyond = -1;
    for (const QString& part : text.split(',')) {
        const QRegularExpressionMatch m = range.match(part.trimmed());
        if (!m.hasMatch())
            return false;
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        if (first < 1 || last < first)
            return false;
        for (int row = first; row <= std::min(last, count); ++row)
            seen[static_cast<size_t>(row - 1)] = true;
        if (last > count)
            beyond = std::max(beyond, last - 1);
    }
    rows.clear();
    for (int row = 0; row < count; ++row)
        if (seen[static_cast<size_t>(row)])
            rows.push_back(row);
    if (beyond >= 0)
        rows.push_back(beyond);
    return true;
}

// The column a title (as files have it or as shown, or a value field's key, "price") names; -1 for
// none.
int FindColumn(const rom::Table& table, const std::string& title)
{
    for (int c = 1; c < table.Columns(); ++c)
        if (table.ColumnTitle(c) == title || rom::ShownTitle(table.ColumnTitle(c)) == title)
            return c;
    const int column = table.Layout().Column(title);
    return column > 0 ? column : -1;
}

class SetCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(SetCommand)

public:
    QString Name() const override { return "set"; }
    QString Summary() const override { return tr("用公式一次改写一列的许多行"); }
    QStringList Forms() const override
    {
        return {"set ROM --table ID --column TITLE (--rows 1-20,25 | --row-names A,B | --all) --expr EXPR "
                "[--dry-run] [--backup]"};
    }
    QString Details() const override
    {
        return tr("EXPR 用 x（当前值）和 r（行号，从 1 数起）计算新值，例如 x*1.2、x+10、round(x/10)*10、\n"
                  "min(x*2, 999)、max(x, 5)、floor(x)、ceil(x)，或一个数（全部填成它）。结果按字段的单位\n"
                  "（整数或百分之一）四舍五入（远离零）。任何一行放不下（与保存的检查相同）、除以零，\n"
                  "就列出这些行，什么也不写。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"table", tr("要改的表"), "ID"},
                {"column", tr("要改的列：列标题或列的键（如 价格 或 price）"), "TITLE"},
                {"rows", tr("要改的行号，从 1 数起，如 1-20,25"), "LIST"},
                {"row-names", tr("要改的行的名称，用逗号分开（同名的行都改）"), "NAMES"},
                {"all", tr("改这张表的每一行")},
                {"expr", tr("计算新值的公式"), "EXPR"},
                {"dry-run", tr("列出会做的改动和写入的字节，什么也不写")},
                {"backup", tr("写入前把原来的 ROM 保存为 ROM.bak")}};
    }
    int MinArguments() const override { return 1; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;

private:
    // The rows the options choose; false (after saying why) for none or for a wrong choice.
    bool ChosenRows(const QCommandLineParser& parsed, const rom::Table& table, std::vector<int>& rows,
                    std::ostream& err) const;
};

bool SetCommand::ChosenRows(const QCommandLineParser& parsed, const rom::Table& table, std::vector<int>& rows,
                            std::ostream& err) const
{
    rows.clear();
    if (parsed.isSet("all")) {
        for (int row = 0; row < table.Rows(); ++row)
            rows.push_back(row);
        return true;
    }
    if (parsed.isSet("rows")) {
        if (!ParseRows(parsed.value("rows"), table.Rows(), rows)) {
            WrongUsage(err, tr("--rows 要写成 1-20,25 这样的行号（从 1 数起）"));
            return false;
        }
        if (!rows.empty() && rows.back() >= table.Rows()) {
            err << "dravik set: "
                << tr("表「%1」只有 %n 行，没有第 %2 行", nullptr, table.Rows())
                       .arg(QString::fromStdString(rom::ShownTitle(table.Title())),
                            QString::number(rows.back() + 1))
                << "\n";
            return false;
        }
        return true;
    }
    std::set<int> chosen;
    for (const QString& name : parsed.value("row-names").split(',')) {
        const size_t before = chosen.size();
        for (int row = 0; row < table.Rows(); ++row)
            if (QString::fromStdString(table.RowLabel(row)) == name.trimmed())
                chosen.insert(row);
        if (chosen.size() == before) {
            err << "dravik set: "
                << tr("表「%1」中没有名为“%2”的行")
                       .arg(QString::fromStdString(rom::ShownTitle(table.Title())), name.trimmed())
                << "\n";
            return false;
        }
    }
    rows.assign(chosen.begin(), chosen.end());
    return true;
}

int SetCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
                    std::ostream& err) const
{
    const int choices = parsed.isSet("rows") + parsed.isSet("row-names") + parsed.isSet("all");
    if (!parsed.isSet("table") || !parsed.isSet("column") || !parsed.isSet("expr") || choices != 1)
        return WrongUsage(err, choices > 1 ? tr("--rows、--row-names 和 --all 只能用一个") : QString());
    const std::string tableId = parsed.value("table").toStdString();
    if (!KnownTable(tableId)) {
        err << "dravik: " << tr("没有名为“%1”的表").arg(QString::fromStdString(tableId)) << "\n";
        return kWrongUsage;
    }
    const std::string romPath = parsed.positionalArguments()[0].toStdString();
    rom::RomDocument doc;
    doc.SetNames(names);
    if (!OpenImage(doc, romPath, err))
        return kRefused;
    if (doc.IsReadOnly() && !parsed.isSet("dry-run")) {
        err << rom::Describe(rom::ReadOnlyRefusal(romPath)) << "\n";
        return kRefused;
    }
    const rom::Table& table = doc.GetModel().Get(tableId);
    const int column = FindColumn(table, parsed.value("column").toStdString());
    if (column < 0 || !table.IsValueColumn(column)) {
        QStringList titles;
        for (const int c : table.Layout().ValueColumns())
            titles << QString::fromStdString(rom::ShownTitle(table.ColumnTitle(c)));
        err << "dravik set: "
            << tr("表「%1」没有“%2”这个数值列（数值列：%3）")
                   .arg(QString::fromStdString(rom::ShownTitle(table.Title())), parsed.value("column"),
                        titles.join(tr("、")))
            << "\n";
        return kWrongUsage;
    }
    std::vector<int> rows;
    if (!ChosenRows(parsed, table, rows, err))
        return kWrongUsage;
    const rom::BulkPlan plan = rom::PlanBulk(table, column, rows, parsed.value("expr").toStdString());
    if (plan.error) {
        err << "dravik set: "
            << tr("公式“%1”：%2")
                   .arg(parsed.value("expr"), QString::fromStdString(rom::Describe(*plan.error)))
            << "\n";
        return kWrongUsage;
    }
    if (!plan.Ok()) {
        for (const rom::BulkRow& r : plan.rows)
            if (!r.Fits())
                out << rom::Describe(*r.refusal) << "\n";
        err << "dravik: "
            << tr("%n 行放不下（见上），%1 没有任何改动。", nullptr, plan.Misfits())
                   .arg(parsed.positionalArguments()[0])
            << "\n";
        return kRefused;
    }
    doc.Apply(plan.edit);
    return SaveOrReview(doc, parsed, tr("保存会被拒绝（原因见上），%1 没有任何改动。"), out, err);
}
} // namespace

bool OpenImage(rom::RomDocument& doc, const std::string& path, std::ostream& err)
{
    const rom::OpenResult opened = doc.Open(path);
    if (!opened.ok()) {
        err << rom::Describe(*opened.error) << "\n";
        return false;
    }
    if (!opened.notice.empty())
        err << opened.notice << "\n";
    if (!doc.IsPlausible())
        err << rom::ImplausibleNotice(doc.Path()) << "\n";
    return true;
}

std::unique_ptr<Command> MakeExportCommand() { return std::make_unique<ExportCommand>(); }
std::unique_ptr<Command> MakeImportCommand() { return std::make_unique<ImportCommand>(); }
std::unique_ptr<Command> MakeSampleCommand() { return std::make_unique<SampleCommand>(); }
std::unique_ptr<Command> MakeSetCommand() { return std::make_unique<SetCommand>(); }

} // namespace dravik::cli
