#pragma once
// The save-safety fixture and helpers, shared by the tests built everywhere and the POSIX-only
// ones: one suite across files needs one fixture class, so it cannot live in an unnamed namespace.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "rom/RomDocument.h"
#include "rom/SaveJournal.h"
#include "support/FailingFileOps.h"
#include "support/TestImage.h"

namespace dravik::test {

class SaveSafety : public ::testing::Test {
protected:
    // Journals that fall back to the data folder go to a test folder, not the user's.
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
    // Until TestFolders() or the test's end, that data folder is home, as it is for another user.
    static void DataHome(const QString& home)
    {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("XDG_DATA_HOME", home.toUtf8());
    }
    static void TestFolders()
    {
        qunsetenv("XDG_DATA_HOME");
        QStandardPaths::setTestModeEnabled(true);
    }
    void TearDown() override { TestFolders(); }
};

// Opens path (through ops, when given), applies the edits and saves.
inline rom::SaveResult SaveEdits(const std::string& path, const std::vector<rom::Edit>& edits,
                                 const std::shared_ptr<rom::FileOps>& ops = nullptr, bool backup = false)
{
    rom::RomDocument doc;
    if (ops)
        doc.SetFileOps(ops);
    doc.SetBackupOnSave(backup);
    const rom::OpenResult opened = doc.Open(path);
    if (!opened.ok())
        return {opened.error};
    for (const rom::Edit& e : edits)
        doc.Apply(e);
    return doc.Save();
}

// Makes target the whole content of the image at path through one writer: the words of the failure,
// "" when it wrote.
inline std::string WriteImage(const std::string& path, const rom::Bytes& target,
                              std::shared_ptr<rom::FileOps> ops = rom::SystemFileOps())
{
    rom::ImageWriter writer(std::move(ops));
    const std::optional<rom::Error> refused = writer.Begin(path);
    return rom::Describe(refused ? refused : writer.Write(target));
}

inline rom::SaveResult SaveItemPrice(const std::string& path, const std::string& price,
                                     const std::shared_ptr<rom::FileOps>& ops = nullptr, bool backup = false)
{
    return SaveEdits(path, {rom::Edit("items").SetCell(0, 1, price)}, ops, backup);
}

// Saves a new first item's price through path and lets the process die at the journal's removal:
// the new bytes are in, and the journal says how to undo them. Returns the bytes left.
inline rom::Bytes SaveDyingAtJournalRemoval(const std::string& path, bool folderWritable = true)
{
    const rom::Bytes original = ReadFile(path);
    const auto save = [&](int failAt) {
        auto ops = std::make_shared<FailingFileOps>(failAt, EIO, false);
        ops->folderWritable = folderWritable;
        EXPECT_EQ(SaveItemPrice(path, "321", ops).ok(), failAt == 1 << 30);
        return ops->steps;
    };
    const int steps = save(1 << 30);
    EXPECT_TRUE(WriteFile(path, original));
    save(steps - 2);
    EXPECT_TRUE(rom::JournalPending(path));
    return ReadFile(path);
}

} // namespace dravik::test
