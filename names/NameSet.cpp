#include "names/NameSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <map>

#include "rom/FileOps.h"
#include "rom/TextChecks.h"

namespace dravik::names::data {
const std::map<std::string, std::string>& Files(); // generated from names/data
}

namespace dravik::names {

namespace {

using Entries = std::vector<std::string>;

// A name file is a few kilobytes; anything far larger is not one, and is not read into memory.
constexpr uint64_t kMaxFileBytes = 1 << 20;

const std::vector<ListInfo> kLists = {
    {List::TankParts, "tank_parts.txt",
     "战车装备 (主炮 0-31, 副炮 32-53, 特殊炮 54-73, 控制系统 74-93, 引擎 94-120)", 121, 20},
    {List::TankItems, "tank_items.txt", "战车道具", 32, 13},
    {List::HumanEquipment, "human_equipment.txt",
     "人类装备 (武器 0-47, 头防具 48-63, 体防具 64-87, 手足防具 88-107, 护甲 108-119)", 120, 15},
    {List::Items, "items.txt", "道具", 128, 15},
    {List::Monsters, "monsters.txt", "怪物 (0-15 也是赏金首)", 152, 15},
    {List::AttacksA, "attacks_a.txt", "攻击方式 A (怪物 47-151)", 174, 30},
    {List::AttacksB, "attacks_b.txt", "攻击方式 B (怪物 0-46)", 144, 30},
    {List::SpecialShells, "shell_names.txt", "特殊炮弹", 15, 0},
    {List::Tanks, "tanks.txt", "战车", 22, 0},
    {List::Characters, "characters.txt", "人物", 3, 0},
    {List::Snacks, "snacks.txt", "小吃", 8, 0},
    {List::Decorations, "decorations.txt", "装饰品", 13, 0},
    {List::Drinks, "drinks.txt", "饮料", 16, 0},
    {List::LootCategories, "loot_categories.txt", "战利品类别", 16, 0},
    {List::AttackRanges, "attack_ranges.txt", "攻击范围", 3, 0},
    {List::Users, "users.txt", "装备的人 (掩码 1-7)", 7, 0},
};

std::size_t Index(List list) { return static_cast<std::size_t>(list); }

Entries SplitLines(const std::string& text)
{
    Entries lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!(last && line.empty()))
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

const std::string& BuiltInText(const std::string& stem)
{
    static const std::string missing;
    const auto& files = data::Files();
    const auto it = files.find(stem);
    return it == files.end() ? missing : it->second;
}

std::string Stem(const char* file)
{
    const std::string name = file;
    return name.substr(0, name.rfind('.'));
}

// Fills a 256-entry loot list: kPlaceholder everywhere, `low` from code 0 and `high` from
// code 0x80 (each cut off where the next range starts), kNone at 0xFF.
Entries LootList(const Entries& low, const Entries& high)
{
    Entries loot(256, kPlaceholder);
    for (std::size_t i = 0; i < low.size() && i < 0x80; ++i)
        loot[i] = low[i];
    for (std::size_t i = 0; i < high.size() && 0x80 + i < 0xFF; ++i)
        loot[0x80 + i] = high[i];
    loot[0xFF] = kNone;
    return loot;
}

std::string Where(const std::string& file, int line) { return file + ":" + std::to_string(line) + ": "; }

bool HasControlCharacter(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

NameSet& TheActive()
{
    static NameSet active = NameSet::BuiltIn();
    return active;
}

} // namespace

struct NameSetBuilder {
    static NameSet BuiltIn()
    {
        NameSet set;
        for (const ListInfo& info : kLists) {
            set.names_.push_back(SplitLines(BuiltInText(Stem(info.file))));
            set.combos_.push_back(set.names_.back());
        }
        // "stem<TAB>index<TAB>text": the drop-down entries whose text differs from the cell's.
        for (const std::string& line : SplitLines(BuiltInText("combo_variants"))) {
            const std::size_t tab1 = line.find('\t');
            const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
            if (tab2 == std::string::npos)
                continue;
            const std::string stem = line.substr(0, tab1);
            const std::string index = line.substr(tab1 + 1, tab2 - tab1 - 1);
            if (index.empty() || index.size() > 4 ||
                index.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const std::size_t n = std::stoul(index);
            for (std::size_t i = 0; i < kLists.size(); ++i)
                if (stem == Stem(kLists[i].file) && n < set.combos_[i].size())
                    set.combos_[i][n] = line.substr(tab2 + 1);
        }
        set.BuildLoot();
        return set;
    }

    static void Finish(NameSet& set, std::string folder)
    {
        set.folder_ = std::move(folder);
        set.BuildLoot();
    }

    // Checks one file's lines and applies them to `set`; returns false after adding errors.
    static bool Apply(NameSet& set, const ListInfo& info, const QByteArray& bytes,
                      std::vector<std::string>& errors)
    {
        const std::size_t before = errors.size();
        std::string text = bytes.toStdString();
        if (text.rfind("\xEF\xBB\xBF", 0) == 0) // Windows editors start UTF-8 files with a BOM
            text.erase(0, 3);
        const Entries lines = SplitLines(text);
        std::vector<NameSet::Entry> entries;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const int lineNo = static_cast<int>(i) + 1;
            const std::string where = Where(info.file, lineNo);
            if (line.empty())
                continue; // keeps the compiled-in entry
            if (const auto fault = rom::FindUtf8Fault(line)) {
                errors.push_back(where + "不是 UTF-8 文本（第 " + std::to_string(fault->column) +
                                 " 个字节：" + fault->reason + "）");
                continue;
            }
            if (static_cast<int>(i) >= info.entries) {
                errors.push_back(where + "名称表「" + info.title + "」只有 " + std::to_string(info.entries) +
                                 " 项，这一行多出来了");
                continue;
            }
            if (HasControlCharacter(line)) {
                errors.push_back(where + "“" + line + "” 含有控制字符");
                continue;
            }
            const int width = GbkLength(line);
            if (width < 0) {
                errors.push_back(where + "“" + line + "” 含有 GBK 无法编码的字符");
                continue;
            }
            if (info.slotWidth > 0 && width > info.slotWidth) {
                errors.push_back(where + "“" + line + "” 按 GBK 编码占 " + std::to_string(width) +
                                 " 字节，超过了 " + std::to_string(info.slotWidth) + " 字节的宽度");
                continue;
            }
            entries.push_back({info.list, static_cast<int>(i), line});
        }
        if (errors.size() != before)
            return false;
        for (NameSet::Entry& e : entries) {
            set.names_[Index(e.list)][static_cast<std::size_t>(e.code)] = e.text;
            // A template exported and loaded back unchanged must not change the drop-downs,
            // whose few texts differ from the cells' on purpose.
            if (e.text != NameSet::BuiltIn().Names(e.list)[static_cast<std::size_t>(e.code)])
                set.combos_[Index(e.list)][static_cast<std::size_t>(e.code)] = e.text;
            set.user_.push_back(std::move(e));
        }
        return true;
    }
};

const std::vector<ListInfo>& AllLists() { return kLists; }

const ListInfo& Info(List list) { return kLists.at(Index(list)); }

const ListInfo* FindListFile(const std::string& fileName)
{
    for (const ListInfo& info : kLists)
        if (fileName == info.file)
            return &info;
    return nullptr;
}

int GbkLength(const std::string& utf8)
{
    QStringEncoder gbk("GBK");
    if (!gbk.isValid())
        return -1;
    // A leading U+FEFF is a character of the name here, not a marker to drop: GBK has no code
    // for it, and a name that began with one would lose it in an exported file.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QByteArray bytes = gbk.encode(decoder(QByteArray::fromStdString(utf8)));
    return gbk.hasError() ? -1 : static_cast<int>(bytes.size());
}

const NameSet& NameSet::BuiltIn()
{
    static const NameSet set = NameSetBuilder::BuiltIn();
    return set;
}

const std::vector<std::string>& NameSet::Names(List list) const
{
    static const Entries none;
    return Index(list) < names_.size() ? names_[Index(list)] : none;
}

const std::vector<std::string>& NameSet::Combo(List list) const
{
    static const Entries none;
    return Index(list) < combos_.size() ? combos_[Index(list)] : none;
}

void NameSet::BuildLoot()
{
    humanLoot_ = LootList(Combo(List::HumanEquipment), Combo(List::Items));
    tankLoot_ = LootList(Combo(List::TankParts), Combo(List::TankItems));
}

NameSetResult LoadNameSet(const std::string& folder)
{
    NameSetResult result;
    const QString path = QString::fromStdString(folder);
    const QFileInfo dirInfo(path);
    if (!dirInfo.isDir()) {
        result.errors.push_back(folder + ": " + (dirInfo.exists() ? "不是文件夹" : "文件夹不存在"));
        return result;
    }
    NameSet set = NameSet::BuiltIn();
    // Hidden files (editor back-ups, desktop metadata) are not ours to judge; every other file
    // must be a name file, so a misspelt name is reported rather than silently left out.
    const QFileInfoList files = QDir(path).entryInfoList(QDir::Files | QDir::System, QDir::Name);
    for (const QFileInfo& file : files) {
        const std::string name = file.fileName().toStdString();
        const ListInfo* info = FindListFile(name);
        if (!info) {
            result.errors.push_back(name + ": 不是名称表的文件名");
            continue;
        }
        // Never a link followed, a FIFO waited on or a huge file read into memory.
        std::vector<uint8_t> bytes;
        const rom::FileError read =
            rom::ReadSideFile(file.absoluteFilePath().toStdString(), kMaxFileBytes, bytes);
        if (read.number == EFBIG) {
            result.errors.push_back(name + ": 文件太大，不是名称表");
            continue;
        }
        if (!read.Ok()) {
            result.errors.push_back(name + ": " + read.message);
            continue;
        }
        NameSetBuilder::Apply(
            set, *info,
            QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
            result.errors);
    }
    if (!result.errors.empty())
        return result;
    NameSetBuilder::Finish(set, QDir(path).absolutePath().toStdString());
    result.ok = true;
    result.set = std::move(set);
    return result;
}

std::string ExportNameSet(const NameSet& set, const std::string& folder)
{
    const QString path = QString::fromStdString(folder);
    if (QFileInfo(path).exists() && !QFileInfo(path).isDir())
        return folder + ": 已存在，但不是文件夹；什么也没有写入";
    if (!QDir().mkpath(path))
        return folder + ": 无法创建文件夹；什么也没有写入";
    // Each file is written beside the old one and renamed over it only when complete: a failure
    // leaves that file as it was, never cut short or empty.
    int written = 0;
    for (const ListInfo& info : kLists) {
        std::string text;
        for (const std::string& name : set.Names(info.list))
            text += name + "\n";
        const std::string file = QDir(path).filePath(QString::fromLatin1(info.file)).toStdString();
        const int error = rom::ReplaceFile(file, reinterpret_cast<const uint8_t*>(text.data()), text.size());
        if (error != 0)
            return file + ": 无法写入（" + rom::ErrorText(-error) + "）。这个文件" +
                   (QFileInfo::exists(QString::fromStdString(file)) ? "保持原样" : "没有创建") + "；之前的 " +
                   std::to_string(written) + " 个文件已写入，之后的 " +
                   std::to_string(static_cast<int>(kLists.size()) - written - 1) + " 个没有写入";
        ++written;
    }
    return {};
}

const NameSet& Active() { return TheActive(); }

void SetActive(const NameSet& set) { TheActive() = set; }

} // namespace dravik::names
