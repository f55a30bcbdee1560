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
        err << "无法读取 " << path << "：" << file.errorString().toStdString() << "\n";
        return false;
    }
    if (!file.isSequential() && file.size() > kMaximumJsonSize) {
        err << "无法读取 " << path << "：文件有 " << file.size()
            << " 字节，超过 64 MiB，不会是导出的数据表。\n";
        return false;
    }
    const QByteArray data = file.read(kMaximumJsonSize + 1);
    if (file.error() != QFileDevice::NoError) {
        err << "无法读取 " << path << "：" << file.errorString().toStdString() << "\n";
        return false;
    }
    if (data.size() > kMaximumJsonSize) {
        err << "无法读取 " << path << "：内容超过 64 MiB，不会是导出的数据表。\n";
        return false;
    }
    text = data.toStdString();
    return true;
}
} // namespace

namespace {
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
            err << "dravik: 两个映像都会导出到 " << name.toStdString() << "，请分开导出\n";
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
    err << "无法写入 " << path.toStdString() << "：" << file.errorString().toStdString() << "\n";
    file.remove();
    return false;
}
} // namespace

int RunExport(const Args& args, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik export ROM [--table ID --format csv]\n"
                        "       dravik export ROM... --out-dir DIR [--table ID --format csv]\n";
    std::vector<std::string> roms;
    std::string table, format = "json", outDir;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") {
            out << usage;
            return 0;
        }
        if ((args[i] == "--table" || args[i] == "--format" || args[i] == "--out-dir") &&
            i + 1 < args.size()) {
            (args[i] == "--table" ? table : args[i] == "--format" ? format : outDir) = args[i + 1];
            ++i;
        } else if (args[i].rfind("--", 0) != 0) {
            roms.push_back(args[i]);
        } else {
            err << usage;
            return 2;
        }
    }
    if (roms.empty() || (roms.size() > 1 && outDir.empty()) || (format != "json" && format != "csv") ||
        (format == "csv" && table.empty())) {
        err << usage;
        return 2;
    }
    if (format == "json" && !table.empty()) {
        err << "dravik: --table goes with --format csv\n" << usage;
        return 2;
    }
    if (!table.empty() && !KnownTable(table)) {
        err << "dravik: no table '" << table << "'\n";
        return 2;
    }
    if (outDir.empty()) {
        std::string text;
        if (!ExportText(roms.front(), table, text, err))
            return 1;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return 0;
    }
    const QString dir = QString::fromStdString(outDir);
    if (!QFileInfo(dir).isDir()) {
        err << "dravik: 输出文件夹 " << outDir << " 不存在\n";
        return 1;
    }
    std::vector<QString> paths;
    if (!OutputPaths(roms, dir, format == "csv" ? ".csv" : ".json", paths, err))
        return 2;
    // Each image stands alone: one that cannot be read does not stop the others.
    int status = 0;
    for (size_t i = 0; i < roms.size(); ++i) {
        std::string text;
        if (!ExportText(roms[i], table, text, err) || !WriteText(paths[i], text, err))
            status = 1;
    }
    return status;
}

int RunImport(const Args& arguments, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik import ROM FILE.json [--dry-run] [--backup]\n"
                        "       dravik import ROM FILE.csv --table ID [--dry-run] [--backup]\n";
    std::vector<std::string> paths;
    std::string csvTable; // a CSV file holds one table, named by --table
    bool dryRun = false;
    bool backup = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--help") {
            out << usage;
            return 0;
        }
        if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg == "--backup") {
            backup = true;
        } else if (arg == "--table" && i + 1 < arguments.size() && csvTable.empty() &&
                   arguments[i + 1].rfind("--", 0) != 0) {
            csvTable = arguments[++i];
        } else if (arg.rfind("--", 0) == 0 || paths.size() == 2) {
            err << usage;
            return 2;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        err << usage;
        return 2;
    }
    const std::string& romPath = paths[0];
    const std::string& jsonPath = paths[1]; // or the CSV file
    rom::RomDocument doc;
    rom::Status status = doc.Open(romPath);
    if (!status.ok) {
        err << status.message << "\n";
        return 1;
    }
    if (!status.notice.empty()) // an interrupted save was rolled back first
        err << status.notice << "\n";
    // A dry run only reads, so it lists the changes even for an image that cannot be written.
    if (doc.IsReadOnly() && !dryRun) {
        err << rom::ReadOnlyRefusal(romPath) << "\n";
        return 1;
    }
    std::string text;
    if (!ReadBounded(jsonPath, text, err))
        return 1;
    std::vector<rom::Edit> edits;
    const std::string error = csvTable.empty()
                                  ? ReadTablesJson(text, jsonPath, doc.GetModel(), edits)
                                  : ReadTableCsv(text, jsonPath, csvTable, doc.GetModel(), edits);
    if (!error.empty()) {
        err << error << "\n";
        return 1;
    }
    for (const rom::Edit& edit : edits)
        doc.Apply(edit);
    if (dryRun) {
        // The file is only read: the list says what an import without --dry-run would do.
        const rom::Review review = doc.ReviewChanges();
        out << review.Format();
        if (doc.IsReadOnly()) {
            err << rom::ReadOnlyRefusal(romPath) << "\n";
            return 1;
        }
        if (!review.Refused())
            return 0;
        err << "dravik: 导入会被拒绝（原因见上），" << romPath << " 没有任何改动。\n";
        return 1;
    }
    doc.SetBackupOnSave(backup);
    status = doc.Save();
    if (!status.ok) {
        err << status.message << "\n";
        return 1;
    }
    out << status.changedBytes << " bytes changed in " << romPath << "\n";
    return 0;
}

int RunSample(const Args& args, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik sample OUT.smc [--seed N] [--no-header]\n";
    std::string path;
    uint32_t seed = 1;
    bool header = true;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") {
            out << usage;
            return 0;
        }
        if (args[i] == "--seed" && i + 1 < args.size()) {
            if (!ParseSeed(args[++i], seed)) {
                err << "dravik: --seed takes a whole number from 0 to 4294967295\n";
                return 2;
            }
        } else if (args[i] == "--no-header") {
            header = false;
        } else if (path.empty() && args[i].rfind("--", 0) != 0) {
            path = args[i];
        } else {
            err << usage;
            return 2;
        }
    }
    if (path.empty()) {
        err << usage;
        return 2;
    }
    std::string error;
    if (!rom::WriteImageAtomically(path, rom::MakeSampleImage(seed, header), error)) {
        err << "无法写入 " << path << "：" << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace dravik::cli
