// export, import and sample: the command line's view of the same model the window shows.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <set>
#include <sstream>

#include "cli/Commands.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"

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
bool ExportText(const std::string& rom, const std::string& table, std::string& text, std::ostream& err)
{
    rom::RomDocument doc;
    const rom::Status status = doc.Open(rom);
    if (!status.ok) {
        err << status.message << "\n";
        return false;
    }
    if (!status.notice.empty()) // an interrupted save was rolled back first
        err << status.notice << "\n";
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
// Two images of one name would overwrite each other, so that is refused before anything is read.
bool OutputPaths(const std::vector<std::string>& roms, const QString& dir, const char* extension,
                 std::vector<QString>& paths, std::ostream& err)
{
    std::set<QString> seen;
    for (const std::string& rom : roms) {
        const QString name = QFileInfo(QString::fromStdString(rom)).completeBaseName() + extension;
        if (!seen.insert(name).second) {
            err << "dravik: " << TableFiles::tr("两个映像都会导出到 %1，请分开导出").arg(name) << "\n";
            return false;
        }
        paths.push_back(QDir(dir).filePath(name));
    }
    return true;
}

// An export is written plainly: unlike an image it can be made again, so a flush to disk is not
// worth its wait; a failed write removes the partial file.
bool WriteText(const QString& path, const std::string& text, std::ostream& err)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
        file.flush())
        return true;
    err << TableFiles::tr("无法写入 %1：%2").arg(path, file.errorString()) << "\n";
    file.remove();
    return false;
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
    int Run(const QCommandLineParser& parsed, std::ostream& out, std::ostream& err) const override;
};

int ExportCommand::Run(const QCommandLineParser& parsed, std::ostream& out, std::ostream& err) const
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
        if (!ExportText(roms.front(), table, text, err))
            return kRefused;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return kSuccess;
    }
    const QString dir = QString::fromStdString(outDir);
    if (!QFileInfo(dir).isDir()) {
        err << "dravik: " << tr("输出文件夹 %1 不存在").arg(dir) << "\n";
        return kRefused;
    }
    std::vector<QString> paths;
    if (!OutputPaths(roms, dir, format == "csv" ? ".csv" : ".json", paths, err))
        return kWrongUsage;
    // Each image stands alone: one that cannot be read does not stop the others.
    int status = kSuccess;
    for (size_t i = 0; i < roms.size(); ++i) {
        std::string text;
        if (!ExportText(roms[i], table, text, err) || !WriteText(paths[i], text, err))
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
        return {"import ROM FILE.json [--dry-run] [--backup]",
                "import ROM FILE.csv --table ID [--dry-run] [--backup]"};
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
                {"backup", tr("写入前把原来的 ROM 保存为 ROM.bak")}};
    }
    int MinArguments() const override { return 2; }

protected:
    int Run(const QCommandLineParser& parsed, std::ostream& out, std::ostream& err) const override;
};

int ImportCommand::Run(const QCommandLineParser& parsed, std::ostream& out, std::ostream& err) const
{
    const std::vector<std::string> paths = Utf8(parsed.positionalArguments());
    const std::string csvTable = parsed.value("table").toStdString(); // a CSV file holds one table
    const bool dryRun = parsed.isSet("dry-run");
    const bool backup = parsed.isSet("backup");
    const std::string& romPath = paths[0];
    const std::string& jsonPath = paths[1]; // or the CSV file
    rom::RomDocument doc;
    rom::Status status = doc.Open(romPath);
    if (!status.ok) {
        err << status.message << "\n";
        return kRefused;
    }
    if (!status.notice.empty()) // an interrupted save was rolled back first
        err << status.notice << "\n";
    // A dry run only reads, so it lists the changes even for an image that cannot be written.
    if (doc.IsReadOnly() && !dryRun) {
        err << rom::ReadOnlyRefusal(romPath) << "\n";
        return kRefused;
    }
    std::string text;
    if (!ReadBounded(jsonPath, text, err))
        return kRefused;
    std::vector<rom::Edit> edits;
    const std::string error = csvTable.empty()
                                  ? ReadTablesJson(text, jsonPath, doc.GetModel(), edits)
                                  : ReadTableCsv(text, jsonPath, csvTable, doc.GetModel(), edits);
    if (!error.empty()) {
        err << error << "\n";
        return kRefused;
    }
    for (const rom::Edit& edit : edits)
        doc.Apply(edit);
    if (dryRun) {
        // The file is only read: the list says what an import without --dry-run would do.
        const rom::Review review = doc.ReviewChanges();
        out << review.Format();
        if (doc.IsReadOnly()) {
            err << rom::ReadOnlyRefusal(romPath) << "\n";
            return kRefused;
        }
        if (!review.Refused())
            return kSuccess;
        err << "dravik: "
            << tr("导入会被拒绝（原因见上），%1 没有任何改动。").arg(parsed.positionalArguments()[0]) << "\n";
        return kRefused;
    }
    doc.SetBackupOnSave(backup);
    status = doc.Save();
    if (!status.ok) {
        err << status.message << "\n";
        return kRefused;
    }
    out << tr("%1：改动了 %2 个字节")
               .arg(parsed.positionalArguments()[0], QString::number(status.changedBytes))
        << "\n";
    return kSuccess;
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
    int MinArguments() const override { return 1; }

protected:
    int Run(const QCommandLineParser& parsed, std::ostream& out, std::ostream& err) const override;
};

int SampleCommand::Run(const QCommandLineParser& parsed, std::ostream&, std::ostream& err) const
{
    const std::string path = parsed.positionalArguments()[0].toStdString();
    uint32_t seed = 1;
    if (parsed.isSet("seed") && !ParseSeed(parsed.value("seed").toStdString(), seed)) {
        err << "dravik: " << tr("--seed 要一个 0 到 4294967295 的整数") << "\n";
        return kWrongUsage;
    }
    const bool header = !parsed.isSet("no-header");
    std::string error;
    if (!rom::WriteImageAtomically(path, rom::MakeSampleImage(seed, header), error)) {
        err << TableFiles::tr("无法写入 %1：%2")
                   .arg(QString::fromStdString(path), QString::fromStdString(error))
            << "\n";
        return kRefused;
    }
    return kSuccess;
}
} // namespace

std::unique_ptr<Command> MakeExportCommand() { return std::make_unique<ExportCommand>(); }
std::unique_ptr<Command> MakeImportCommand() { return std::make_unique<ImportCommand>(); }
std::unique_ptr<Command> MakeSampleCommand() { return std::make_unique<SampleCommand>(); }

} // namespace dravik::cli
