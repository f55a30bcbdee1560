// export, import and sample: the command line's view of the same model the window shows.
#include <QFile>
#include <algorithm>
#include <sstream>

#include "cli/Commands.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"

namespace dravik::cli {

namespace {
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
} // namespace

int RunExport(const Args& args, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik export ROM [--table ID --format csv]\n";
    std::string rom, table, format = "json";
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") {
            out << usage;
            return 0;
        }
        if ((args[i] == "--table" || args[i] == "--format") && i + 1 < args.size()) {
            (args[i] == "--table" ? table : format) = args[i + 1];
            ++i;
        } else if (rom.empty() && args[i].rfind("--", 0) != 0) {
            rom = args[i];
        } else {
            err << usage;
            return 2;
        }
    }
    if (rom.empty() || (format != "json" && format != "csv") || (format == "csv" && table.empty())) {
        err << usage;
        return 2;
    }
    rom::RomDocument doc;
    const rom::Status status = doc.Open(rom);
    if (!status.ok) {
        err << status.message << "\n";
        return 1;
    }
    if (format == "csv") {
        const rom::Table* t = doc.GetModel().Find(table);
        if (!t) {
            err << "dravik: no table '" << table << "'\n";
            return 2;
        }
        WriteTableCsv(*t, out);
        return 0;
    }
    if (!table.empty()) {
        err << "dravik: --table goes with --format csv\n" << usage;
        return 2;
    }
    WriteTablesJson(doc.GetModel(), doc.Form().header, out);
    return 0;
}

int RunImport(const Args& arguments, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik import ROM FILE.json\n       dravik import ROM FILE.csv --table ID\n";
    if (arguments.size() == 1 && arguments[0] == "--help") {
        out << usage;
        return 0;
    }
    // A CSV file holds one table, named by --table.
    Args args = arguments;
    std::string csvTable;
    const auto option = std::find(args.begin(), args.end(), "--table");
    if (option != args.end() && option + 1 != args.end()) {
        csvTable = *(option + 1);
        args.erase(option, option + 2);
    }
    if (args.size() != 2 || csvTable.rfind("--", 0) == 0) {
        err << usage;
        return 2;
    }
    rom::RomDocument doc;
    rom::Status status = doc.Open(args[0]);
    if (!status.ok) {
        err << status.message << "\n";
        return 1;
    }
    if (doc.IsReadOnly()) {
        err << rom::ReadOnlyRefusal(args[0]) << "\n";
        return 1;
    }
    QFile file(QString::fromStdString(args[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "无法读取 " << args[1] << "：" << file.errorString().toStdString() << "\n";
        return 1;
    }
    const std::string text = file.readAll().toStdString();
    const std::string error = csvTable.empty() ? ApplyTablesJson(text, args[1], doc.GetModel())
                                               : ApplyTableCsv(text, args[1], csvTable, doc.GetModel());
    if (!error.empty()) {
        err << error << "\n";
        return 1;
    }
    status = doc.Save();
    if (!status.ok) {
        err << status.message << "\n";
        return 1;
    }
    out << status.changedBytes << " bytes changed in " << args[0] << "\n";
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
