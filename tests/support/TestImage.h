#pragma once
// Helpers for tests: temporary image files and byte access.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "rom/Error.h"
#include "rom/Passes.h"
#include "rom/RomDocument.h"
#include "rom/SaveJournal.h"

namespace dravik::test {

rom::Bytes RandomImage(uint32_t seed, size_t size = 0x200200);
bool WriteFile(const std::string& path, const rom::Bytes& bytes);
rom::Bytes ReadFile(const std::string& path);
uint32_t Get(const rom::Bytes& image, uint32_t offset, int width);
// Whether a step succeeded; when not, error holds its words.
inline bool Succeeded(const std::optional<rom::Error>& failed, std::string& error)
{
    error = failed ? rom::Describe(*failed) : std::string();
    return !failed;
}

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
// Whether text holds part; a failure shows the text.
inline testing::AssertionResult Mentions(const std::string& text, const std::string& part)
{
    if (Contains(text, part))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << part << "\" not in: " << text;
}
// Whether a step failed and its words hold part.
inline testing::AssertionResult Refused(const std::optional<rom::Error>& failed, const std::string& part = "")
{
    if (!failed)
        return testing::AssertionFailure() << "not refused";
    return Mentions(rom::Describe(*failed), part);
}
inline bool Exists(const std::string& path) { return QFile::exists(QString::fromStdString(path)); }
void Put(rom::Bytes& image, uint32_t offset, int width, uint32_t value);
// Whether the internal header at 0x7FC0 of an image with a copier header holds the plain sum of
// every byte after the copier header (the checksum of a power-of-two image) and its complement.
bool ChecksumIsRight(const rom::Bytes& file);
// Writes j where a save puts the journal of path, as the journal of that file; returns its path
// ("" when it could not be written).
std::string WriteJournal(const std::string& path, rom::Journal j);
// Leaves at path what a save cut short leaves: original with count bytes from at overwritten by
// 0xEE, and beside it the journal that undoes them. Returns the journal's path.
std::string CutShortSave(const std::string& path, const rom::Bytes& original, uint32_t at, size_t count);
// The offsets at which two images differ, as far as both reach.
std::vector<uint32_t> Differing(const rom::Bytes& a, const rom::Bytes& b);
// The tables of an image.
inline rom::Model Loaded(const rom::Bytes& image)
{
    rom::Model model;
    rom::LoadTables(image, model);
    return model;
}
// Every cell and code of every table, to compare whole models.
std::vector<std::string> State(const rom::Model& model);
// A sample image with every slot, equipment, loot and attack cleared, then exactly these
// references: main cannon 5 (tank part 5) in tank 2 slot 3 and in tank 9 slot 1 (with the high
// bit set); tank item 4 in tank 0's item slot 2 and dropped by monster 60 late (tank category 9);
// item 7 carried by character 1 and dropped by monsters 3 (early, category 2), 50 (late,
// category 0) and 151 (early, category 7); head armour 2 (equipment 50) equipped by character 2
// slot 4 and dropped by monster 10 (early, category 1); attack B 0x10 used by monster 5 twice,
// attack A 0x10 by monster 100.
rom::Bytes KnownReferencesImage();

// A temporary folder that holds one image file for the length of a test.
class TempImage {
public:
    explicit TempImage(const rom::Bytes& bytes, const std::string& name = "image.smc");
    const std::string& Path() const { return path_; }
    rom::Bytes Read() const { return ReadFile(path_); }

private:
    QTemporaryDir dir_;
    std::string path_;
};

// A temporary image file and a document opened on it.
struct OpenImage {
    explicit OpenImage(const rom::Bytes& bytes, const std::string& name = "image.smc") : file(bytes, name)
    {
        EXPECT_EQ(rom::Describe(doc.Open(file.Path()).error), "");
    }
    TempImage file;
    rom::RomDocument doc;
};

// A temporary folder for the files of one test.
class Folder {
public:
    std::string Root() const { return dir_.path().toStdString(); }
    std::string Path(const std::string& name) const { return Root() + "/" + name; }
    // Writes the file and returns its path.
    std::string Write(const std::string& name, const rom::Bytes& bytes) const;
    std::string Write(const std::string& name, const std::string& text) const
    {
        return Write(name, rom::Bytes(text.begin(), text.end()));
    }

private:
    QTemporaryDir dir_;
};

// A temporary folder of name files (file name -> bytes).
class NameFolder {
public:
    explicit NameFolder(const std::map<std::string, std::string>& files);
    std::string Path() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
};

} // namespace dravik::test
