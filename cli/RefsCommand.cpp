// refs: where a part, item, piece of equipment or attack pattern is used in an image.
#include "cli/Commands.h"
#include "cli/Json.h"
#include "rom/Find.h"
#include "rom/RomDocument.h"

namespace dravik::cli {

namespace {
const char* const kRefsUsage =
    "Usage: dravik refs ROM TABLE ROW [--format json]\n"
    "  TABLE: a tank part table, tank_items, items, human_weapons, an armour table, attacks_a or attacks_b\n"
    "  ROW:   counted from 1 (for attacks_a and attacks_b: the attack code + 1)\n";

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
        return names::Get(table == "attacks_a" ? names::List::AttacksA : names::List::AttacksB)
            .at(static_cast<size_t>(row));
    return model.Get(table).RowLabel(row);
}
} // namespace

int RunRefs(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && args[0] == "--help") {
        out << kRefsUsage;
        return 0;
    }
    Args plain;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size() &&
            (args[i + 1] == "json" || args[i + 1] == "text")) {
            json = args[++i] == "json";
            continue;
        }
        plain.push_back(args[i]);
    }
    int row = 0;
    if (plain.size() != 3 || !ParseRow(plain[2], row)) {
        err << kRefsUsage;
        return 2;
    }
    const std::string& table = plain[1];
    if (!rom::HasReferences(table)) {
        err << "dravik: 表 \"" << table << "\" 的行没有引用可查\n" << kRefsUsage;
        return 2;
    }
    rom::RomDocument doc;
    const rom::Status status = doc.Open(plain[0]);
    if (!status.ok) {
        err << status.message << "\n";
        return 1;
    }
    const rom::Model& model = doc.GetModel();
    const int rows = rom::ReferenceRows(model, table);
    if (row > rows) {
        err << "dravik: 表 \"" << table << "\" 只有 " << rows << " 行\n";
        return 2;
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
        return 0;
    }
    if (refs.empty())
        out << "「" << name << "」 没有被用到\n";
    for (const rom::Reference& r : refs)
        out << "表「" << model.Get(r.tableId).Title() << "」 第 " << r.row + 1 << " 行「" << r.text << "」 "
            << r.where << "\n";
    return 0;
}

} // namespace dravik::cli
