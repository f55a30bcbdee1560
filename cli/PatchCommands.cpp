// diff, patch and apply: sharing a mod as a list of changed fields or as an IPS or BPS patch.
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "rom/ImageDiff.h"
#include "rom/InternalHeader.h"
#include "rom/PatchFiles.h"
#include "rom/RomDocument.h"
#include "rom/SaveJournal.h"
#include "rom/Texts.h"

namespace dravik::cli {

namespace {
// A roll-back of an interrupted save done on the way is told, as an open tells it; a failure says why.
bool ReadImageFile(const std::string& path, rom::Bytes& bytes, std::ostream& err)
{
    rom::ImageFile file;
    if (const std::optional<rom::Error> failed = rom::ReadImage(path, rom::ReadExtent::Whole, file)) {
        err << rom::Describe(*failed) << "\n";
        return false;
    }
    if (!file.notice.empty())
        err << file.notice << "\n";
    bytes = std::move(file.bytes);
    return true;
}

bool ReadFile(const std::string& path, rom::Bytes& bytes, std::ostream& err)
{
    std::string notice;
    const std::optional<rom::Error> failed = rom::ReadWholeFile(path, bytes, &notice);
    if (!notice.empty())
        err << notice << "\n";
    if (failed)
        err << rom::Describe(*failed) << "\n";
    return !failed;
}

std::string Offset(uint32_t v)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", v);
    return buffer;
}

std::string RunText(const rom::ByteRun& r)
{
    return Offset(r.offset) + "-" + Offset(r.offset + r.length - 1);
}

// The texts of the diff's list.
struct DiffList {
    Q_DECLARE_TR_FUNCTIONS(DiffList)
};

void DiffText(const rom::ImageDiff& d, const std::string& a, const std::string& b, std::ostream& out)
{
    const QString qa = QString::fromStdString(a), qb = QString::fromStdString(b);
    if (!d.SameSize())
        out << DiffList::tr("大小不同：%1 有 %2 字节，%3 有 %4 字节；比较两者都有的字段和前 %5 字节。")
                   .arg(qa, QString::number(d.sizeA), qb, QString::number(d.sizeB),
                        QString::number(std::min(d.sizeA, d.sizeB)))
            << "\n";
    if (d.formA.header != d.formB.header)
        out << DiffList::tr(
                   "%1 有复制器文件头，%2 没有：按数据表的位置对齐比较，文件头不比较；字节偏移按 %3 计。")
                   .arg(d.formA.header ? qa : qb, d.formA.header ? qb : qa, qa)
            << "\n";
    if (d.Identical()) {
        out << DiffList::tr("两个映像完全相同。") << "\n";
        return;
    }
    out << (d.fields.empty() ? DiffList::tr("字段差异 %1 处。") : DiffList::tr("字段差异 %1 处："))
               .arg(d.fields.size())
        << "\n";
    for (const rom::FieldChange& f : d.fields)
        out << "  "
            << (f.storedOnly ? DiffList::tr("%1「%2」 第 %3 行「%4」 %5（只有存储的位不同）: %6 -> %7")
                             : DiffList::tr("%1「%2」 第 %3 行「%4」 %5: %6 -> %7"))
                   .arg(QString::fromStdString(f.tableId),
                        QString::fromStdString(rom::ShownTitle(f.tableTitle)), QString::number(f.row + 1),
                        QString::fromStdString(f.rowLabel), QString::fromStdString(rom::ShownTitle(f.column)),
                        QString::fromStdString(f.before), QString::fromStdString(f.after))
            << "\n";
    out << rom::RunsSummary(d, !d.runs.empty()) << "\n";
    for (size_t i = 0; i < d.runs.size() && i < rom::kListedRuns; ++i)
        out << "  "
            << DiffList::tr("%1（%n 字节）", nullptr, rom::PluralCount(d.runs[i].length))
                   .arg(QString::fromStdString(RunText(d.runs[i])))
            << "\n";
    if (d.runs.size() > rom::kListedRuns)
        out << "  " << rom::RunsNotListed(d) << "\n";
}

void DiffJson(const rom::ImageDiff& d, const std::string& a, const std::string& b, std::ostream& out)
{
    out << "{\"a\": {\"path\": ";
    WriteJsonString(out, a);
    out << ", \"size\": " << d.sizeA << ", \"header\": " << (d.formA.header ? "true" : "false")
        << "}, \"b\": {\"path\": ";
    WriteJsonString(out, b);
    out << ", \"size\": " << d.sizeB << ", \"header\": " << (d.formB.header ? "true" : "false")
        << "}, \"same_size\": " << (d.SameSize() ? "true" : "false") << ",\n \"fields\": [";
    for (size_t i = 0; i < d.fields.size(); ++i) {
        const rom::FieldChange& f = d.fields[i];
        out << (i ? ",\n  " : "\n  ") << "{\"table\": ";
        WriteJsonString(out, f.tableId);
        out << ", \"title\": ";
        WriteJsonString(out, f.tableTitle);
        out << ", \"row\": " << f.row + 1 << ", \"row_name\": ";
        WriteJsonString(out, f.rowLabel);
        out << ", \"column\": ";
        WriteJsonString(out, f.column);
        out << ", \"a\": ";
        WriteJsonString(out, f.before);
        out << ", \"b\": ";
        WriteJsonString(out, f.after);
        out << ", \"stored_only\": " << (f.storedOnly ? "true" : "false") << "}";
    }
    out << "],\n \"bytes_outside_fields\": {\"runs\": " << d.runs.size() << ", \"bytes\": " << d.bytesOutside
        << ", \"listed\": [";
    for (size_t i = 0; i < d.runs.size() && i < rom::kListedRuns; ++i)
        out << (i ? ", " : "") << "{\"offset\": " << d.runs[i].offset << ", \"length\": " << d.runs[i].length
            << "}";
    out << "]}}\n";
}

void DiffCsv(const rom::ImageDiff& d, std::ostream& out)
{
    out << "kind,table,title,row,row_name,column,a,b\r\n";
    if (!d.SameSize())
        out << "size,,,,,," << d.sizeA << "," << d.sizeB << "\r\n";
    for (const rom::FieldChange& f : d.fields) {
        out << (f.storedOnly ? "stored" : "field") << ",";
        for (const std::string& s :
             {f.tableId, f.tableTitle, std::to_string(f.row + 1), f.rowLabel, f.column, f.before})
            WriteCsvField(out, s), out << ",";
        WriteCsvField(out, f.after);
        out << "\r\n";
    }
    for (size_t i = 0; i < d.runs.size() && i < rom::kListedRuns; ++i)
        out << "bytes,,,,," << RunText(d.runs[i]) << "," << d.runs[i].length << ",\r\n";
    out << "bytes_total,,,,,," << d.runs.size() << "," << d.bytesOutside << "\r\n";
}

// Markdown text: characters that would start markup or end a table cell are escaped.
std::string MarkdownCell(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            out += ' ';
            continue;
        }
        if (std::strchr("\\|*_`[]<>#", c))
            out += '\\';
        out += c;
    }
    return out;
}

// A changelog to paste into a release post: one section per table in the order of the load pass,
// one table row per changed field.
void DiffMarkdown(const rom::ImageDiff& d, const std::string& a, const std::string& b, std::ostream& out)
{
    const auto cell = [](const std::string& s) { return QString::fromStdString(MarkdownCell(s)); };
    out << "# " << DiffList::tr("%1 相对于 %2 的改动").arg(cell(b), cell(a)) << "\n\n";
    if (!d.SameSize())
        out << DiffList::tr("大小不同：%1 有 %2 字节，%3 有 %4 字节。")
                   .arg(cell(a), QString::number(d.sizeA), cell(b), QString::number(d.sizeB))
            << "\n\n";
    if (d.Identical()) {
        out << DiffList::tr("两个映像完全相同。") << "\n";
        return;
    }
    // Tables in the order their first field comes; each field once, in its table's section.
    std::vector<std::string> tables;
    for (const rom::FieldChange& f : d.fields)
        if (std::find(tables.begin(), tables.end(), f.tableId) == tables.end())
            tables.push_back(f.tableId);
    for (const std::string& table : tables) {
        const auto first = std::find_if(d.fields.begin(), d.fields.end(),
                                        [&](const rom::FieldChange& f) { return f.tableId == table; });
        out << "## " << cell(rom::ShownTitle(first->tableTitle)) << " (`" << QString::fromStdString(table)
            << "`)\n\n"
            << "| " << DiffList::tr("行") << " | " << DiffList::tr("名称") << " | " << DiffList::tr("列")
            << " | " << DiffList::tr("改动") << " |\n| ---: | --- | --- | --- |\n";
        for (const rom::FieldChange& f : d.fields)
            if (f.tableId == table)
                out << "| " << f.row + 1 << " | " << cell(f.rowLabel) << " | "
                    << cell(rom::ShownTitle(f.column)) << " | " << cell(f.before) << " → " << cell(f.after)
                    << (f.storedOnly ? DiffList::tr("（只有存储的位不同）") : QString()) << " |\n";
        out << "\n";
    }
    if (!d.runs.empty())
        out << "## " << DiffList::tr("数据表以外") << "\n\n" << rom::RunsSummary(d, false) << "\n";
}

class DiffCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(DiffCommand)

public:
    QString Name() const override { return "diff"; }
    QString Summary() const override { return tr("逐个字段列出两个映像的不同之处"); }
    QStringList Forms() const override { return {"diff A.smc B.smc [--format text|json|csv|md]"}; }
    QString Details() const override
    {
        return tr("列出数值不同的每个字段（表、行、列、A 的值 -> B 的值），再列出字段以外不同的字节。\n"
                  "两个映像不同也是成功（退出状态 0）。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"format", tr("输出格式，默认 text；md 是按表分组的 Markdown 修改记录"), "text|json|csv|md"}};
    }
    int MinArguments() const override { return 2; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int DiffCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
                     std::ostream& err) const
{
    const Args args = Utf8(parsed.positionalArguments());
    const std::string format = parsed.value("format").toStdString();
    if (!format.empty() && format != "text" && format != "json" && format != "csv" && format != "md")
        return WrongUsage(err);
    rom::Bytes a, b;
    if (!ReadImageFile(args[0], a, err) || !ReadImageFile(args[1], b, err))
        return kRefused;
    for (const auto& [path, image] : {std::pair{&args[0], &a}, std::pair{&args[1], &b}})
        if (!rom::IsPlausibleImage(*image, rom::ImageForm::OfSize(image->size())))
            err << rom::ImplausibleNotice(*path) << "\n";
    const rom::ImageDiff diff = rom::DiffImages(a, b, names);
    if (format == "json")
        DiffJson(diff, args[0], args[1], out);
    else if (format == "csv")
        DiffCsv(diff, out);
    else if (format == "md")
        DiffMarkdown(diff, args[0], args[1], out);
    else
        DiffText(diff, args[0], args[1], out);
    return kSuccess;
}

class PatchCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(PatchCommand)

public:
    QString Name() const override { return "patch"; }
    QString Summary() const override { return tr("写出把 ORIGINAL 变为 MODIFIED 的 IPS 或 BPS 补丁"); }
    QStringList Forms() const override
    {
        return {"patch ORIGINAL MODIFIED OUT.ips|OUT.bps [--format ips|bps]"};
    }
    QString Details() const override
    {
        return tr("任何两个文件都可以；补丁的格式由 OUT 的扩展名或 --format 决定。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"format", tr("补丁格式，不按 OUT 的扩展名"), "ips|bps"}};
    }
    bool ShowsNames() const override { return false; }
    int MinArguments() const override { return 3; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int PatchCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr&, std::ostream& out,
                      std::ostream& err) const
{
    const Args args = Utf8(parsed.positionalArguments());
    std::string format = parsed.value("format").toStdString();
    rom::PatchFormat kind = rom::PatchFormat::Ips;
    if (format.empty() && rom::PatchFormatOfName(args[2], kind))
        format = kind == rom::PatchFormat::Ips ? "ips" : "bps";
    if (format != "ips" && format != "bps")
        return WrongUsage(err, tr("请给出 --format ips 或 bps，或者把补丁文件命名为 .ips 或 .bps"));
    rom::Bytes original, modified;
    if (!ReadFile(args[0], original, err) || !ReadFile(args[1], modified, err))
        return kRefused;
    const rom::PatchFormat chosen = format == "ips" ? rom::PatchFormat::Ips : rom::PatchFormat::Bps;
    // The same checks as the window's patch export: never over a read-only file, never over either image.
    switch (rom::CheckPatchTarget(args[2], {args[0], args[1]})) {
    case rom::PatchTargetProblem::None: break;
    case rom::PatchTargetProblem::ReadOnly:
        err << tr("%1 是只读的（没有写入权限），不会替换它。").arg(QString::fromStdString(args[2])) << "\n";
        return kRefused;
    case rom::PatchTargetProblem::OverImage:
        err << tr("补丁不能写到映像文件 %1 上，请另选文件名；什么也没有写。")
                   .arg(QString::fromStdString(args[2]))
            << "\n";
        return kRefused;
    }
    size_t size = 0;
    if (const std::optional<rom::Error> failed = rom::WritePatch(chosen, original, modified, args[2], size)) {
        err << tr("无法写出 %1 补丁 %2：%3")
                   .arg(QString::fromStdString(format).toUpper(), QString::fromStdString(args[2]),
                        QString::fromStdString(rom::Reason(*failed)))
            << "\n";
        return kRefused;
    }
    out << tr("已写入 %1（%2，%3 字节）")
               .arg(QString::fromStdString(args[2]), QString::fromStdString(format), QString::number(size))
        << "\n";
    return kSuccess;
}

class ApplyCommand : public Command {
    Q_DECLARE_TR_FUNCTIONS(ApplyCommand)

public:
    QString Name() const override { return "apply"; }
    QString Summary() const override { return tr("把 IPS 或 BPS 补丁打到映像上"); }
    QStringList Forms() const override
    {
        return {"apply ROM PATCH [OUT] [--headerless-patch | --headered-patch] [--fix-checksum]"};
    }
    QString Details() const override
    {
        return tr("补丁的格式由它的签名决定。先在内存中做出整个结果，再一次写入 OUT，没有 OUT 时替换 ROM；\n"
                  "补丁有任何问题都什么也不写。");
    }
    QList<QCommandLineOption> Options() const override
    {
        return {{"headerless-patch", tr("这个 IPS 补丁是为没有复制器文件头的映像做的")},
                {"headered-patch", tr("这个 IPS 补丁是为有复制器文件头的映像做的")},
                {"fix-checksum", tr("同时把结果的内部文件头的校验和与补码改成它的实际值")}};
    }
    bool ShowsNames() const override { return false; }
    int MinArguments() const override { return 2; }
    int MaxArguments() const override { return 3; }

protected:
    int Run(const QCommandLineParser& parsed, const names::NameSetPtr& names, std::ostream& out,
            std::ostream& err) const override;
};

int ApplyCommand::Run(const QCommandLineParser& parsed, const names::NameSetPtr&, std::ostream& out,
                      std::ostream& err) const
{
    const Args args = Utf8(parsed.positionalArguments());
    const QString rom = parsed.positionalArguments()[0], patchName = parsed.positionalArguments()[1];
    // An IPS names no original: the user says whether it was made for the image without (or with)
    // its copier header.
    if (parsed.isSet("headerless-patch") && parsed.isSet("headered-patch"))
        return WrongUsage(err, tr("--headerless-patch 和 --headered-patch 只能给一个"));
    const rom::IpsMadeFor madeFor = parsed.isSet("headered-patch")     ? rom::IpsMadeFor::WithHeader
                                    : parsed.isSet("headerless-patch") ? rom::IpsMadeFor::WithoutHeader
                                                                       : rom::IpsMadeFor::Unsaid;
    // OUT may be ROM itself (the image patched in place), never the patch it is made from.
    if (args.size() == 3 && rom::SameFile(args[2], args[1])) {
        err << tr("结果不能写到补丁文件 %1 上，请另选文件名；什么也没有写。")
                   .arg(parsed.positionalArguments()[2])
            << "\n";
        return kRefused;
    }
    // The destination is taken (locked, an interrupted save of it rolled back) before anything is
    // read, so an in-place apply patches the content it writes over.
    const std::string& destination = args.size() == 3 ? args[2] : args[0];
    rom::ImageWriter writer;
    const std::optional<rom::Error> refused = writer.Begin(destination);
    if (!writer.Notice().empty())
        err << writer.Notice() << "\n";
    if (refused) {
        err << rom::Describe(*refused) << "\n";
        return kRefused;
    }
    rom::Bytes source, patch, target;
    if (!ReadFile(args[0], source, err) || !ReadFile(args[1], patch, err))
        return kRefused;
    if (!rom::IsPlausibleImage(source, rom::ImageForm::OfSize(source.size())))
        err << rom::ImplausibleNotice(args[0]) << "\n";
    rom::PatchFit fit;
    if (const std::optional<rom::Error> failed = rom::ApplyPatch(patch, source, target, madeFor, &fit)) {
        err << tr("%1：%2 %3 没有改动。").arg(patchName, QString::fromStdString(rom::Describe(*failed)), rom)
            << "\n";
        return kRefused;
    }
    // The checksum goes into the result before its one write.
    rom::ChecksumFix fix;
    if (parsed.isSet("fix-checksum")) {
        fix = rom::FixChecksum(target, rom::ImageForm::OfSize(target.size()));
        if (fix.error) {
            err << rom::Describe(*fix.error) << tr("%1 没有改动。").arg(rom) << "\n";
            return kRefused;
        }
        rom::ApplyPatches(fix.patches, target);
    }
    const QString shownDestination = QString::fromStdString(destination);
    if (QFileInfo::exists(shownDestination) && !rom::IsWritableFile(destination)) {
        err << tr("%1 是只读的（没有写入权限），不会替换它；%2 没有改动。").arg(shownDestination, rom)
            << "\n";
        return kRefused;
    }
    if (const std::optional<rom::Error> failed = writer.Write(target)) {
        err << rom::Describe(*failed) << "\n";
        return kRefused;
    }
    out << tr("已把 %1 打到 %2 上：写入 %3（%4 字节）")
               .arg(patchName, rom, shownDestination, QString::number(target.size()))
        << "\n";
    if (const std::string how = fit.Text(); !how.empty())
        out << how << "\n";
    const auto hex = [](unsigned v) { return QString::number(v, 16).toUpper().rightJustified(4, '0'); };
    if (!fix.patches.empty())
        out << tr("校验和已设为 0x%1（补码 0x%2）").arg(hex(fix.checksum), hex(fix.checksum ^ 0xFFFF))
            << "\n";
    return kSuccess;
}
} // namespace

std::unique_ptr<Command> MakeDiffCommand() { return std::make_unique<DiffCommand>(); }
std::unique_ptr<Command> MakePatchCommand() { return std::make_unique<PatchCommand>(); }
std::unique_ptr<Command> MakeApplyCommand() { return std::make_unique<ApplyCommand>(); }

} // namespace dravik::cli
