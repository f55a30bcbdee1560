// Any bytes as a save journal left beside a small image: never a crash, never a write the journal
// does not justify. A journal that is rolled back leaves every range holding its old bytes and the
// file its old size; one that is refused leaves the file and the journal exactly as they were; one
// cut short is removed with the file untouched. A journal that reads back is written out the same.
//
// Input: [mode] [length of the image, 2 bytes] image... journal...
//   mode & 1: the journal's device and inode are set to the image file's and its checksum is
//             made right, so mutations reach the ranges instead of stopping at those checks.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "rom/FileOps.h"
#include "rom/SaveJournal.h"
#include "support/TestImage.h"

using namespace dravik;
using namespace dravik::rom;

namespace {

void Check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
        std::abort();
    }
}

void PutLe(Bytes& out, size_t at, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// The journal's own checksum (FNV-1a 64 of everything before the last 8 bytes).
void FixChecksum(Bytes& journal)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i + 8 < journal.size(); ++i)
        h = (h ^ journal[i]) * 1099511628211ull;
    PutLe(journal, journal.size() - 8, h);
}

// Every run writes and flushes real files: in memory where the system has a folder for it.
const std::string& Folder()
{
    static const QString shm = "/dev/shm";
    static QTemporaryDir dir(
        (QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) +
        "/dravik-journal-XXXXXX");
    static const std::string path = dir.path().toStdString();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool testMode = (QStandardPaths::setTestModeEnabled(true), true);
    (void)testMode;
    if (size < 3)
        return 0;
    const uint8_t mode = data[0];
    const size_t imageLength = std::min<size_t>(data[1] | (data[2] << 8), size - 3);
    const Bytes image(data + 3, data + 3 + imageLength);
    Bytes journal(data + 3 + imageLength, data + size);

    const std::string path = Folder() + "/image.smc";
    test::WriteFile(path, image);
    const FileIdentity id = IdentifyFile(path);
    if ((mode & 1) && journal.size() >= 48) {
        PutLe(journal, 8, id.device);
        PutLe(journal, 16, id.inode);
        FixChecksum(journal);
    }
    const std::string journalPath = JournalPaths(path)[0];
    test::WriteFile(journalPath, journal);

    Journal decoded;
    const JournalForm form = DecodeJournal(journal, decoded);
    if (form == JournalForm::Whole) {
        Check(EncodeJournal(decoded) == journal, "a journal read back is written out the same");
    }

    std::string notice, error;
    const bool ok = test::Succeeded(RecoverInterruptedSave(path, *SystemFileOps(), notice), error);
    const Bytes after = test::ReadFile(path);
    const bool journalLeft = QFileInfo::exists(QString::fromStdString(journalPath));
    if (!ok) {
        Check(after == image, "a refused journal changes nothing", error);
        Check(journalLeft, "a refused journal is kept", error);
        Check(!error.empty(), "a refusal says why");
    } else if (form == JournalForm::Whole) {
        Check(!journalLeft, "a rolled back journal is removed");
        Check(after.size() == decoded.oldSize, "rolled back to the old size");
        for (const JournalRange& r : decoded.ranges)
            Check(std::equal(r.before.begin(), r.before.end(), after.begin() + static_cast<long>(r.offset)),
                  "every range holds its old bytes");
    } else {
        Check(form == JournalForm::CutShort, "only a journal cut short is removed unread", error);
        Check(after == image, "a journal cut short changes nothing");
        Check(!journalLeft, "a journal cut short is removed");
    }
    QFile::remove(QString::fromStdString(journalPath));
    return 0;
}
