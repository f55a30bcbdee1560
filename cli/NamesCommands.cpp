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

// Reads `folder` into `set`, or says why not.
bool Load(const QString& folder, names::NameSet& set, std::ostream& err)
{
    const std::vector<rom::Error> errors = rom::LoadNameSet(folder.toStdString(), set);
    if (errors.empty())
        return true;
    err << NameFolders::tr("%1: 名称表被拒绝:").arg(folder) << "\n";
    for (const rom::Error& e : errors)
        err << rom::Describe(e) << "\n";
    return false;
}

int Check(const QString& folder, const names::NameSet& current, std::ostream& out, std::ostream& err)
{
    names::NameSet set = names::NameSet::BuiltIn();
    if (!Load(folder, set, err))
        return kRefused;
    int changes = 0;
    for (const names::NameSet::Entry& e : set.UserEntries()) {
        const std::string& was = current.Names(e.list)[static_cast<size_t>(e.code)];
        if (was == e.text)
            continue;
        ++changes;
        out << names::Info(e.list).file << ":" << e.code + 1 << ": " << was << " -> " << e.text << "\n";
    }
    out << NameFolders::tr("%1 中有 %2 个名称，其中 %3 个改变了名称")
               .arg(folder, QString::number(set.UserCount()), QString::number(changes))
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
        if (const auto error = rom::ExportNameSet(*names, folder.toStdString())) {
            err << rom::Describe(*error) << "\n";
            return kRefused;
        }
        out << tr("已把 %n 个名称文件写入 %1", nullptr, static_cast<int>(names::AllLists().size()))
                   .arg(folder)
            << "\n";
        return kSuccess;
    }
};
} // namespace

int UseNameFolders(const QStringList& folders, names::NameSetPtr& names, std::ostream& err)
{
    for (const QString& folder : folders) {
        names::NameSet set = names::NameSet::BuiltIn();
        if (!Load(folder, set, err))
            return kRefused;
        names = std::make_shared<const names::NameSet>(std::move(set));
    }
    return kSuccess;
}

std::unique_ptr<Command> MakeNamesCommand() { return std::make_unique<NamesCommand>(); }

} // namespace dravik::cli
