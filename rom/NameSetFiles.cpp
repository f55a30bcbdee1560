#include "rom/NameSetFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <iterator>

#include "rom/FileOps.h"
#include "rom/TextChecks.h"
#include "rom/Texts.h"

namespace dravik::rom {

using names::AllLists;
using names::FindListFile;
using names::GbkLength;
using names::ListInfo;
using names::NameFileLines;
using names::NameSet;

namespace {

// A name file is a few kilobytes; anything far larger is not one, and is not read into memory.
constexpr uint64_t kMaxFileBytes = 1 << 20;

bool HasControlCharacter(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// Checks one name file's lines: its entries join `all` when every line is sound, else each
// fault goes to `errors`.
void ReadNameFile(const ListInfo& info, const QByteArray& bytes, std::vector<NameSet::Entry>& all,
                  std::vector<Error>& errors)
{
    const std::size_t before = errors.size();
    std::string text = bytes.toStdString();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) // Windows editors start UTF-8 files with a BOM
        text.erase(0, 3);
    const std::vector<std::string> lines = NameFileLines(text);
    std::vector<NameSet::Entry> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int lineNo = static_cast<int>(i) + 1;
        const auto refuse = [&](std::string why) { errors.push_back(Error::InLine(info.file, lineNo, why)); };
        if (line.empty())
            continue; // keeps the compiled-in entry
        if (const auto fault = FindUtf8Fault(line)) {
            refuse(Fill(Names::tr("不是 UTF-8 文本（第 %1 个字节：%2）"), fault->column, fault->reason));
            continue;
        }
        if (static_cast<int>(i) >= info.entries) {
            refuse(Fill(Names::tr("名称表「%1」只有 %2 项，这一行多出来了"), Names::tr(info.title),
                        info.entries));
            continue;
        }
        if (HasControlCharacter(line)) {
            refuse(Fill(Names::tr("“%1” 含有控制字符"), line));
            continue;
        }
        const int width = GbkLength(line);
        if (width < 0) {
            refuse(Fill(Names::tr("“%1” 含有 GBK 无法编码的字符"), line));
            continue;
        }
        if (info.slotWidth > 0 && width > info.slotWidth) {
            refuse(Fill(Names::tr("“%1” 按 GBK 编码占 %2 字节，超过了 %3 字节的宽度"), line, width,
                        info.slotWidth));
            continue;
        }
        found.push_back({info.list, static_cast<int>(i), line});
    }
    if (errors.size() == before)
        all.insert(all.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}

} // namespace

std::vector<Error> LoadNameSet(const std::string& folder, NameSet& set)
{
    std::vector<Error> errors;
    const QString path = QString::fromStdString(folder);
    const QFileInfo dirInfo(path);
    if (!dirInfo.isDir()) {
        errors.push_back(Error::InLine(
            folder, 0, Fill(dirInfo.exists() ? Names::tr("不是文件夹") : Names::tr("文件夹不存在"))));
        return errors;
    }
    std::vector<NameSet::Entry> entries;
    // Hidden files (editor back-ups, desktop metadata) are not ours to judge; every other file
    // must be a name file, so a misspelt name is reported rather than silently left out.
    const QFileInfoList files = QDir(path).entryInfoList(QDir::Files | QDir::System, QDir::Name);
    for (const QFileInfo& file : files) {
        const std::string name = file.fileName().toStdString();
        const ListInfo* info = FindListFile(name);
        if (!info) {
            errors.push_back(Error::InLine(name, 0, Fill(Names::tr("不是名称表的文件名"))));
            continue;
        }
        // Never a link followed, a FIFO waited on or a huge file read into memory.
        std::vector<uint8_t> bytes;
        const std::optional<Error> read =
            ReadSideFile(file.absoluteFilePath().toStdString(), kMaxFileBytes, bytes);
        if (read) {
            errors.push_back(Error::InLine(
                name, 0,
                read->systemError == EFBIG ? Fill(Names::tr("文件太大，不是名称表")) : Describe(*read)));
            errors.back().systemError = read->systemError;
            continue;
        }
        ReadNameFile(
            *info,
            QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
            entries, errors);
    }
    if (errors.empty())
        set = NameSet::WithUserEntries(std::move(entries), QDir(path).absolutePath().toStdString());
    return errors;
}

std::optional<Error> ExportNameSet(const NameSet& set, const std::string& folder)
{
    const QString path = QString::fromStdString(folder);
    if (QFileInfo(path).exists() && !QFileInfo(path).isDir())
        return Error::InLine(folder, 0, Fill(Names::tr("已存在，但不是文件夹；什么也没有写入")));
    if (!QDir().mkpath(path))
        return Error::InLine(folder, 0, Fill(Names::tr("无法创建文件夹；什么也没有写入")));
    // Each file is written beside the old one and renamed over it only when complete: a failure
    // leaves that file as it was, never cut short or empty.
    int written = 0;
    for (const ListInfo& info : AllLists()) {
        std::string text;
        for (const std::string& name : set.Names(info.list))
            text += name + "\n";
        const std::string file = QDir(path).filePath(QString::fromLatin1(info.file)).toStdString();
        const int error = ReplaceFile(file, reinterpret_cast<const uint8_t*>(text.data()), text.size());
        if (error != 0) {
            Error e = Error::InLine(
                file, 0,
                Fill(QFileInfo::exists(QString::fromStdString(file))
                         ? Names::tr("无法写入（%1）。这个文件保持原样；之前的 %2 个文件已写入，之后的 %3 "
                                     "个没有写入")
                         : Names::tr("无法写入（%1）。这个文件没有创建；之前的 %2 个文件已写入，之后的 %3 "
                                     "个没有写入"),
                     ErrorText(-error), written, static_cast<int>(AllLists().size()) - written - 1));
            e.systemError = -error;
            return e;
        }
        ++written;
    }
    return std::nullopt;
}

} // namespace dravik::rom
