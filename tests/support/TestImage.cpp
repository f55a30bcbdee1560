#include "support/TestImage.h"

#include <QFile>
#include <numeric>
#include <random>

#include "rom/SampleImage.h"
#include "rom/SaveJournal.h"

namespace dravik::test {

rom::Bytes RandomImage(uint32_t seed, size_t size)
{
    std::mt19937 engine(seed);
    rom::Bytes image(size);
    for (uint8_t& b : image)
        b = static_cast<uint8_t>(engine());
    return image;
}

bool WriteFile(const std::string& path, const rom::Bytes& bytes)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

rom::Bytes ReadFile(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    return rom::Bytes(data.begin(), data.end());
}

uint32_t Get(const rom::Bytes& image, uint32_t offset, int width)
{
    uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v |= static_cast<uint32_t>(image.at(offset + i)) << (8 * i);
    return v;
}

void Put(rom::Bytes& image, uint32_t offset, int width, uint32_t value)
{
    for (int i = 0; i < width; ++i)
        image.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

bool ChecksumIsRight(const rom::Bytes& file)
{
    const uint32_t sum = std::accumulate(file.begin() + 0x200, file.end(), 0u) & 0xFFFF;
    return Get(file, 0x200 + 0x7FDE, 2) == sum && Get(file, 0x200 + 0x7FDC, 2) == (sum ^ 0xFFFF);
}

std::string CutShortSave(const std::string& path, const rom::Bytes& original, uint32_t at, size_t count)
{
    rom::Bytes torn = original;
    std::fill(torn.begin() + at, torn.begin() + at + count, 0xEE);
    WriteFile(path, torn);
    rom::Journal journal{0, 0, original.size(), original.size()};
    journal.ranges.push_back(
        {at, rom::Bytes(original.begin() + at, original.begin() + at + count), rom::Bytes(count, 0xEE)});
    return WriteJournal(path, journal);
}

std::string WriteJournal(const std::string& path, rom::Journal j)
{
    const rom::FileIdentity id = rom::IdentifyFile(path);
    j.device = id.device;
    j.inode = id.inode;
    const std::string journal = rom::JournalPaths(path)[0];
    return WriteFile(journal, rom::EncodeJournal(j)) ? journal : std::string();
}

std::vector<uint32_t> Differing(const rom::Bytes& a, const rom::Bytes& b)
{
    std::vector<uint32_t> out;
    for (uint32_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            out.push_back(i);
    return out;
}

std::vector<std::string> State(const rom::Model& model)
{
    std::vector<std::string> out;
    for (const rom::Table& t : model.Tables()) {
        for (int row = 0; row < t.Rows(); ++row)
            for (int column = 0; column < t.Columns(); ++column)
                out.push_back(t.Cell(row, column));
        for (const rom::CodeArray& a : t.CodeArrays())
            for (int v : a.values)
                out.push_back(std::to_string(v));
    }
    return out;
}

namespace {
constexpr uint32_t kTanks = 0xC8201, kCharItems = 0xB7DCD, kCharEquipment = 0xB7DD9;
constexpr uint32_t kMonsterStats = 0xC3BC4, kMonsterLoot = 0xC3444;
} // namespace

rom::Bytes KnownReferencesImage()
{
    rom::Bytes image = rom::MakeSampleImage(3);
    for (uint32_t t = 0; t < 22; ++t)
        std::fill_n(image.begin() + kTanks + 25 * t + 12, 12, 0xFF);
    for (uint32_t c = 0; c < 3; ++c) {
        std::fill_n(image.begin() + kCharItems + 4 * c, 3, 0xFF);
        std::fill_n(image.begin() + kCharEquipment + 8 * c, 7, 0xFF);
    }
    for (uint32_t m = 0; m < 152; ++m) {
        std::fill_n(image.begin() + kMonsterStats + 16 * m + 10, 6, 0);
        Put(image, kMonsterLoot + 8 * m + 6, 2, 0xFFFF);
    }
    Put(image, kTanks + 25 * 2 + 12 + 2, 1, 5);
    Put(image, kTanks + 25 * 9 + 12 + 0, 1, 0x85);
    Put(image, kTanks + 25 * 0 + 20 + 1, 1, 4);
    Put(image, kCharItems + 4 * 1 + 0, 1, 7);
    Put(image, kCharEquipment + 8 * 2 + 3, 1, 0x80 + 50);
    const auto loot = [&](uint32_t m, bool late, int category, int code) {
        const uint32_t categories = Get(image, kMonsterLoot + 8 * m + 5, 1);
        Put(image, kMonsterLoot + 8 * m + 5, 1,
            late ? (categories & 0x0F) | (category << 4) : (categories & 0xF0) | category);
        Put(image, kMonsterLoot + 8 * m + (late ? 7 : 6), 1, code);
    };
    loot(60, true, 9, 0x84);
    loot(3, false, 2, 0x87);
    loot(50, true, 0, 0x87);
    loot(151, false, 7, 0x87);
    loot(10, false, 1, 50);
    Put(image, kMonsterStats + 16 * 5 + 10 + 1, 1, 0x10);
    Put(image, kMonsterStats + 16 * 5 + 10 + 4, 1, 0x10);
    Put(image, kMonsterStats + 16 * 100 + 10 + 5, 1, 0x10);
    return image;
}

TempImage::TempImage(const rom::Bytes& bytes, const std::string& name)
    : path_(dir_.path().toStdString() + "/" + name)
{
    WriteFile(path_, bytes);
}

std::string Folder::Write(const std::string& name, const rom::Bytes& bytes) const
{
    WriteFile(Path(name), bytes);
    return Path(name);
}

NameFolder::NameFolder(const std::map<std::string, std::string>& files)
{
    for (const auto& [name, bytes] : files)
        WriteFile(Path() + "/" + name, rom::Bytes(bytes.begin(), bytes.end()));
}

} // namespace dravik::test
