// diff, patch and apply: sharing a mod as a list of changed fields or as an IPS or BPS patch.
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "rom/ImageDiff.h"
#include "rom/PatchFiles.h"
#include "rom/RomDocument.h"

namespace dravik::cli {

namespace {
constexpr size_t kListedRuns = 50;

bool ReadImageFile(const std::string& path, rom::Bytes& bytes, std::string& error)
{
    rom::ImageFile file;
    if (!rom::ReadImage(path, rom::ReadExtent::Whole, file, error))
        return false;
    bytes = std::move(file.bytes);
    return true;
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

void DiffText(const rom::ImageDiff& d, const std::string& a, const std::string& b, std::ostream& out)
{
    if (!d.SameSize())
        out << "大小不同：" << a << " 有 " << d.sizeA << " 字节，" << b << " 有 " << d.sizeB
            << " 字节；比较两者都有的字段和前 " << std::min(d.sizeA, d.sizeB) << " 字节。\n";
    if (d.formA.header != d.formB.header)
        out << (d.formA.header ? a : b) << " 有复制器文件头，" << (d.formA.header ? b : a)
            << " 没有：按数据表的位置对齐比较，文件头不比较；字节偏移按 " << a << " 计。\n";
    if (d.Identical()) {
        out << "两个映像完全相同。\n";
        return;
    }
    out << "字段差异 " << d.fields.size() << " 处" << (d.fields.empty() ? "。" : "：") << "\n";
    for (const rom::FieldChange& f : d.fields)
        out << "  " << f.tableId << "「" << f.tableTitle << "」 第 " << f.row + 1 << " 行「" << f.rowLabel
            << "」 " << f.column << (f.storedOnly ? "（只有存储的位不同）" : "") << ": " << f.before << " -> "
            << f.after << "\n";
    out << "字段以外的字节差异 " << d.runs.size() << " 段，共 " << d.bytesOutside << " 字节"
        << (d.runs.empty() ? "。" : "：") << "\n";
    for (size_t i = 0; i < d.runs.size() && i < kListedRuns; ++i)
        out << "  " << RunText(d.runs[i]) << "（" << d.runs[i].length << " 字节）\n";
    if (d.runs.size() > kListedRuns)
        out << "  ……另有 " << d.runs.size() - kListedRuns << " 段未列出\n";
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
    for (size_t i = 0; i < d.runs.size() && i < kListedRuns; ++i)
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
    for (size_t i = 0; i < d.runs.size() && i < kListedRuns; ++i)
        out << "bytes,,,,," << RunText(d.runs[i]) << "," << d.runs[i].length << ",\r\n";
    out << "bytes_total,,,,,," << d.runs.size() << "," << d.bytesOutside << "\r\n";
}

// Splits "--format X" off the arguments; false on a repeated or dangling option.
bool TakeFormat(Args& args, std::string& format)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--format")
            continue;
        if (i + 1 >= args.size() || !format.empty())
            return false;
        format = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        --i;
    }
    return std::none_of(args.begin(), args.end(), [](const std::string& a) { return a.rfind("--", 0) == 0; });
}

bool WantsHelp(const Args& args) { return std::find(args.begin(), args.end(), "--help") != args.end(); }
} // namespace

int RunDiff(const Args& arguments, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik diff A.smc B.smc [--format text|json|csv]\n";
    if (WantsHelp(arguments)) {
        out << usage;
        return 0;
    }
    Args args = arguments;
    std::string format;
    if (!TakeFormat(args, format) || args.size() != 2 ||
        (!format.empty() && format != "text" && format != "json" && format != "csv")) {
        err << usage;
        return 2;
    }
    rom::Bytes a, b;
    std::string error;
    if (!ReadImageFile(args[0], a, error) || !ReadImageFile(args[1], b, error)) {
        err << error << "\n";
        return 1;
    }
    const rom::ImageDiff diff = rom::DiffImages(a, b);
    if (format == "json")
        DiffJson(diff, args[0], args[1], out);
    else if (format == "csv")
        DiffCsv(diff, out);
    else
        DiffText(diff, args[0], args[1], out);
    return 0;
}

int RunPatch(const Args& arguments, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik patch ORIGINAL MODIFIED OUT.ips|OUT.bps [--format ips|bps]\n";
    if (WantsHelp(arguments)) {
        out << usage;
        return 0;
    }
    Args args = arguments;
    std::string format;
    if (!TakeFormat(args, format) || args.size() != 3) {
        err << usage;
        return 2;
    }
    rom::PatchFormat kind = rom::PatchFormat::Ips;
    if (format.empty() && rom::PatchFormatOfName(args[2], kind))
        format = kind == rom::PatchFormat::Ips ? "ips" : "bps";
    if (format != "ips" && format != "bps") {
        err << "dravik: give --format ips or bps, or name the patch file .ips or .bps\n" << usage;
        return 2;
    }
    rom::Bytes original, modified, patch;
    std::string error;
    if (!rom::ReadWholeFile(args[0], original, error) || !rom::ReadWholeFile(args[1], modified, error)) {
        err << error << "\n";
        return 1;
    }
    if (!rom::MakePatch(format == "ips" ? rom::PatchFormat::Ips : rom::PatchFormat::Bps, original, modified,
                        patch, error)) {
        err << "无法写出 IPS 补丁：" << error << "\n";
        return 1;
    }
    if (QFileInfo::exists(QString::fromStdString(args[2])) && !rom::IsWritableFile(args[2])) {
        err << args[2] << " 是只读的（没有写入权限），不会替换它。\n";
        return 1;
    }
    if (!rom::WriteImageAtomically(args[2], patch, error)) {
        err << "无法写入 " << args[2] << "：" << error << "\n";
        return 1;
    }
    out << "wrote " << args[2] << " (" << format << ", " << patch.size() << " bytes)\n";
    return 0;
}

int RunApply(const Args& arguments, std::ostream& out, std::ostream& err)
{
    const char* usage = "Usage: dravik apply ROM PATCH [OUT] [--headerless-patch | --headered-patch]\n";
    if (WantsHelp(arguments)) {
        out << usage;
        return 0;
    }
    // An IPS names no original: the user says whether it was made for the image without (or with)
    // its copier header.
    Args args;
    rom::IpsMadeFor madeFor = rom::IpsMadeFor::ThisImage;
    int said = 0;
    for (const std::string& a : arguments) {
        if (a == "--headerless-patch" || a == "--headered-patch") {
            madeFor = a == "--headered-patch" ? rom::IpsMadeFor::WithHeader : rom::IpsMadeFor::WithoutHeader;
            ++said;
        } else {
            args.push_back(a);
        }
    }
    if (args.size() < 2 || args.size() > 3 || said > 1 ||
        std::any_of(args.begin(), args.end(), [](const std::string& a) { return a.rfind("--", 0) == 0; })) {
        err << usage;
        return 2;
    }
    rom::Bytes source, patch, target;
    std::string error;
    if (!rom::ReadWholeFile(args[0], source, error) || !rom::ReadWholeFile(args[1], patch, error)) {
        err << error << "\n";
        return 1;
    }
    rom::PatchFit fit;
    if (!rom::ApplyPatch(patch, source, target, error, madeFor, &fit)) {
        err << args[1] << "：" << error << " " << args[0] << " 没有改动。\n";
        return 1;
    }
    const std::string& destination = args.size() == 3 ? args[2] : args[0];
    if (QFileInfo::exists(QString::fromStdString(destination)) && !rom::IsWritableFile(destination)) {
        err << destination << " 是只读的（没有写入权限），不会替换它；" << args[0] << " 没有改动。\n";
        return 1;
    }
    if (!rom::WriteImageAtomically(destination, target, error)) {
        err << "无法写入 " << destination << "：" << error << "\n";
        return 1;
    }
    out << "applied " << args[1] << " to " << args[0] << ": wrote " << destination << " (" << target.size()
        << " bytes)\n";
    if (const std::string how = fit.Text(); !how.empty())
        out << how << "\n";
    return 0;
}

} // namespace dravik::cli
