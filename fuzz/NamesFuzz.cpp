// Any bytes as the files of a name set folder: never a crash; a refusal leaves the compiled-in
// set and names each fault by file (and line, for a file the set knows); an accepted set holds
// exactly the names the files give, every one fits its slot, and it survives an export and a
// load back unchanged.
//
// Input: [flags] then files, each [which] [length, 2 bytes] bytes...; `which` picks a list's
// file or one of a few names a folder may also hold. (flags & 3) == 1: export an accepted set and
// load it back (a run that does is ten times slower).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "names/NameSet.h"
#include "rom/NameSetFiles.h"

using namespace dravik;
using namespace dravik::names;
using dravik::rom::ExportNameSet;
using dravik::rom::LoadNameSet;

namespace {

void Check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
        std::abort();
    }
}

// A file's lines as a user reads them: a leading byte-order mark and each line's \r dropped.
std::vector<std::string> Lines(std::string text)
{
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    return lines;
}

bool HasControlCharacter(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// Name files live in memory where possible: thousands of folders a second are written.
QString Scratch()
{
    const QString shm = "/dev/shm";
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
}

void CheckRefused(const std::vector<rom::Error>& errors, const NameSet& set,
                  const std::map<std::string, std::string>& files)
{
    Check(!errors.empty(), "a refusal says why");
    Check(set.UserCount() == 0 && set.Folder().empty(), "a refusal leaves the compiled-in set");
    for (const rom::Error& e : errors) {
        const std::string said = rom::Describe(e);
        Check(said.rfind(e.file + ":", 0) == 0 && !rom::Reason(e).empty(), "a refusal names a file and why",
              said);
        const auto it = files.find(e.file);
        Check(it != files.end(), "a refusal names a file of the folder", said);
        if (!FindListFile(e.file))
            continue; // a file no list has: refused as a whole, without a line
        const std::vector<std::string> lines = Lines(it->second);
        const auto line = static_cast<size_t>(e.line);
        Check(line >= 1 && line <= lines.size() && !lines[line - 1].empty(), "the line refused holds a name",
              said);
    }
}

void CheckAccepted(const NameSet& set, const std::map<std::string, std::string>& files)
{
    int userNames = 0;
    for (const ListInfo& info : AllLists()) {
        const std::vector<std::string>& names = set.Names(info.list);
        Check(names.size() == static_cast<size_t>(info.entries) &&
                  set.Combo(info.list).size() == names.size(),
              "an accepted set keeps every list's length", info.file);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string& name = names[i];
            if (name == NameSet::BuiltIn().Names(info.list)[i])
                continue; // the compiled-in names are checked once by the tests; GBK is slow to ask
            const int width = GbkLength(name);
            Check(!HasControlCharacter(name) && width >= 0 &&
                      (info.slotWidth == 0 || width <= info.slotWidth),
                  "every accepted name fits its slot", name);
        }
        const auto it = files.find(info.file);
        if (it == files.end()) {
            Check(names == NameSet::BuiltIn().Names(info.list), "a list without a file keeps its names",
                  info.file);
            continue;
        }
        const std::vector<std::string> lines = Lines(it->second);
        for (size_t i = 0; i < names.size(); ++i) {
            const bool given = i < lines.size() && !lines[i].empty();
            userNames += given;
            Check(names[i] == (given ? lines[i] : NameSet::BuiltIn().Names(info.list)[i]),
                  "an accepted set holds the names its files give",
                  std::string(info.file) + ":" + std::to_string(i + 1));
        }
    }
    Check(set.UserCount() == userNames, "every given name counts as the user's");
    Check(set.HumanLoot().size() == 256 && set.TankLoot().size() == 256, "the loot lists cover every code");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch(Scratch() + "/dravik-fuzz-names-XXXXXX");
    static const std::vector<std::string> kOthers = {"unknown.txt", ".hidden.txt", "Items.txt", "items.txt~"};
    if (size < 1)
        return 0;
    QDir dir(scratch.path() + "/set");
    dir.removeRecursively();
    QDir().mkpath(dir.path());

    std::map<std::string, std::string> files; // what the folder holds that the loader must judge
    for (size_t at = 1; at < size;) {
        const size_t which = data[at++] % (AllLists().size() + kOthers.size());
        const size_t length = at + 2 <= size ? data[at] | data[at + 1] << 8 : 0;
        at = std::min(at + 2, size);
        const std::string bytes(reinterpret_cast<const char*>(data) + at, std::min(length, size - at));
        at += bytes.size();
        const std::string name =
            which < AllLists().size() ? AllLists()[which].file : kOthers[which - AllLists().size()];
        QFile out(dir.filePath(QString::fromStdString(name)));
        Check(out.open(QIODevice::WriteOnly) && out.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                                                    static_cast<qint64>(bytes.size()),
              "the scratch folder takes a file");
        if (name[0] != '.')
            files[name] = bytes;
    }

    NameSet set = NameSet::BuiltIn();
    const std::vector<rom::Error> errors = LoadNameSet(dir.path().toStdString(), set);
    if (!errors.empty()) {
        CheckRefused(errors, set, files);
        return 0;
    }
    for (const auto& file : files)
        Check(FindListFile(file.first) != nullptr, "a file no list has is refused", file.first);
    CheckAccepted(set, files);

    if ((data[0] & 3) == 1) {
        const std::string again = scratch.path().toStdString() + "/export";
        QDir(QString::fromStdString(again)).removeRecursively();
        Check(!ExportNameSet(set, again), "an accepted set exports");
        NameSet back = NameSet::BuiltIn();
        const std::vector<rom::Error> backErrors = LoadNameSet(again, back);
        Check(backErrors.empty(), "an exported set loads back",
              backErrors.empty() ? "" : rom::Describe(backErrors.front()));
        for (const ListInfo& info : AllLists())
            Check(back.Names(info.list) == set.Names(info.list) &&
                      back.Combo(info.list) == set.Combo(info.list),
                  "an exported set loads back unchanged", info.file);
    }
    return 0;
}
