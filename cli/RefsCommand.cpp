// refs: where a part, item, piece of equipment or attack pattern is used in an image.
#include "cli/Commands.h"
#include "cli/Json.h"
#include "rom/Find.h"
#include "rom/RomDocument.h"
#include "rom/Texts.h"

namespace dravik::cli {

namespace {
bool ParseRow(const std::string& text, int& row)
{
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    row = std::stoi(text);
    return row >= 1;
}

std::string RowName(const rom::Model& model, const std::string& table, int row)
{
    if (table == "attacks_a" || table == "attacks_b")
        return model.Names()
            .Names(table == "attacks_a" ? names::List::AttacksA : names::List::AttacksB)
            .at(static_cast<size_t>(row));
    return model.Get(table).RowLabel(row);
}

class RefsCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(RefsCommand)

public:
    QString Name() const override { return "refs"; }
    QString Summary() const override
    {
        return tr("列出一个部件、战车道具、道具、武器、防具或攻击被用在哪里");
    }
    QStringList Forms() const override { return {"refs ROM TABLE ROW [--format json]"}; }
    QString Details() const override
    {
        return tr(
            "TABLE：一张战车部件表、tank_items、items、human_weapons、一张防具表、attacks_a 或 attacks_b\n"
            "ROW：从 1 数起（attacks_a 和 attacks_b 是攻击代码 + 1）");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"format", tr("输出格式，默认 text"), "text|json"}};
    }
    int MinArguments() const override { return 3; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int RefsCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
                     std::ostream& err) const
{
    const Args plain = Utf8(parsed.positionalArguments());
    const QString format = parsed.value("format");
    if (!format.isEmpty() && format != "json" && format != "text")
        return WrongUsage(err);
    const bool json = format == "json";
    int row = 0;
    if (!ParseRow(plain[2], row))
        return WrongUsage(err);
    const std::string& table = plain[1];
    if (!rom::HasReferences(table))
        return WrongUsage(err, tr("表“%1”的行没有引用可查").arg(parsed.positionalArguments()[1]));
    rom::RomDocument doc;
    doc.SetNames(names);
    if (!OpenImage(doc, plain[0], err))
        return kRefused;
    const rom::Model& model = doc.GetModel();
    const int rows = rom::ReferenceRows(model, table);
    if (row > rows) {
        err << "dravik: " << tr("表“%1”只有 %n 行", nullptr, rows).arg(parsed.positionalArguments()[1])
            << "\n";
        return kWrongUsage;
    }
    const std::vector<rom::Reference> refs = rom::WhereUsed(model, table, row - 1);
    const std::string name = RowName(model, table, row - 1);
    if (json) {
        out << "{\"table\": ";
        WriteJsonString(out, table);
        out << ", \"row\": " << row << ", \"name\": ";
        WriteJsonString(out, name);
        out << ",\n \"references\": [";
        for (size_t i = 0; i < refs.size(); ++i) {
            out << (i ? ",\n  " : "\n  ") << "{\"table\": ";
            WriteJsonString(out, refs[i].tableId);
            out << ", \"row\": " << refs[i].row + 1 << ", \"name\": ";
            WriteJsonString(out, refs[i].text);
            out << ", \"column\": " << refs[i].column << ", \"where\": ";
            WriteJsonString(out, refs[i].where);
            out << "}";
        }
        out << "]}\n";
        return kSuccess;
    }
    if (refs.empty())
        out << tr("「%1」 没有被用到").arg(QString::fromStdString(name)) << "\n";
    for (const rom::Reference& r : refs) {
        const rom::Table& table = model.Get(r.tableId);
        // The column's title as shown; a loot drop's category after it is a name, as it is.
        const std::string& title = table.ColumnTitle(r.column);
        const std::string where =
            r.where.rfind(title, 0) == 0 ? rom::ShownTitle(title) + r.where.substr(title.size()) : r.where;
        out << tr("表「%1」 第 %2 行「%3」 %4")
                   .arg(QString::fromStdString(rom::ShownTitle(table.Title())), QString::number(r.row + 1),
                        QString::fromStdString(r.text), QString::fromStdString(where))
            << "\n";
    }

    return kSuccess;
}
} // namespace

std::unique_ptr<Command> MakeRefsCommand() { return std::make_unique<RefsCommand>(); }

} // namespace dravik::cli
