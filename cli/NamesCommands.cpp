// The name set options and commands: --names DIR, names export, names check.
#include "cli/Commands.h"
#include "names/NameSet.h"
#include "rom/NameSetFiles.h"

namespace dravik::cli {

namespace {
// The texts of the helpers below.
struct NameFolders {
    Q_DECLARE_TR_FUNCTIONS(NameFolders)
};

void PrintErrors(const std::vector<std::string>& errors, std::ostream& err)
{
    for (const std::string& e : errors)
        err << e << "\n";
}

void PrintRefusal(const QString& folder, const std::vector<std::string>& errors, std::ostream& err)
{
    err << NameFolders::tr("%1: 名称表被拒绝:").arg(folder) << "\n";
    PrintErrors(errors, err);
}

int Check(const QString& folder, const names::NameSet& current, std::ostream& out, std::ostream& err)
{
    const rom::NameSetResult r = rom::LoadNameSet(folder.toStdString());
    if (!r.ok) {
        PrintRefusal(folder, r.errors, err);
        return kRefused;
    }
    int changes = 0;
    for (const names::NameSet::Entry& e : r.set.UserEntries()) {
        const std::string& was = current.Names(e.list)[static_cast<size_t>(e.code)];
        if (was == e.text)
            continue;
        ++changes;
        out << names::Info(e.list).file << ":" << e.code + 1 << ": " << was << " -> " << e.text << "\n";
    }
    out << NameFolders::tr("%1 中有 %2 个名称，其中 %3 个改变了名称")
               .arg(folder, QString::number(r.set.UserCount()), QString::number(changes))
        << "\n";
    return kSuccess;
}

class NamesCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(NamesCommand)

public:
    QString Name() const override { return "names"; }
    QString Summary() const override { return tr("写出名称表模板，或检查一个名称表文件夹"); }
    QStringList Forms() const override { return {"names export DIR", "names check DIR"}; }
    QString Details() const override
    {
        return tr("export 把当前使用的名称写成 DIR 中的名称文件（一份模板）；\n"
                  "check 检查 DIR 中的名称文件，列出它会改变的每个名称。");
    }
    int MinArguments() const override { return 2; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override
    {
        const QString action = parsed.positionalArguments()[0], folder = parsed.positionalArguments()[1];
        if (action == "check")
            return Check(folder, *names, out, err);
        if (action != "export")
            return WrongUsage(err, tr("没有“%1”这个动作").arg(action));
        const std::string error = rom::ExportNameSet(*names, folder.toStdString());
        if (!error.empty()) {
            err << error << "\n";
            return kRefused;
        }
        out << tr("已把 %1 个名称文件写入 %2").arg(QString::number(names::AllLists().size()), folder) << "\n";
        return kSuccess;
    }
};
} // namespace

int UseNameFolders(const QStringList& folders, names::NameSetPtr& names, std::ostream& err)
{
    for (const QString& folder : folders) {
        rom::NameSetResult r = rom::LoadNameSet(folder.toStdString());
        if (!r.ok) {
            PrintRefusal(folder, r.errors, err);
            return kRefused;
        }
        names = std::make_shared<const names::NameSet>(std::move(r.set));
    }
    return kSuccess;
}

std::unique_ptr<Command> MakeNamesCommand() { return std::make_unique<NamesCommand>(); }

} // namespace dravik::cli
