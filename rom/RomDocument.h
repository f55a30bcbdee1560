#pragma once
// One open ROM image: its path, the model of its tables, and the Open/Close/Save commands.
// The file is read whole on Open and patched in place on Save; between the two nothing is held
// open, and a Save first checks that the file is still what Open read.
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Error.h"
#include "rom/FileOps.h"
#include "rom/Passes.h"
#include "rom/Review.h"
#include "rom/Table.h"

QT_FORWARD_DECLARE_CLASS(QFile)

namespace dravik::rom {

// What Open reports.
struct OpenResult {
    std::optional<Error> error; // why nothing was opened
    std::string notice;         // an interrupted save that was rolled back before the read
    bool ok() const { return !error; }
};

// What Save reports. On a refusal nothing was written.
struct SaveResult {
    std::optional<Error> error;    // why nothing was written
    std::vector<Error> cellErrors; // the invalid cells when the save was refused for them
    bool fileChanged = false;      // refused: the file is no longer what Open read
    int changedBytes = 0;          // bytes a successful save changed
    std::string notice;            // what a successful save also did (a rollback, a backup elsewhere)
    // The value cells a successful save gave the text a fresh open of the file shows ("007" ->
    // "7"), one change a table, as Apply made them.
    std::vector<Change> shown;
    bool ok() const { return !error; }
};

// Writes a new file (or replaces a regular one) so that a failure leaves the old file whole.
std::optional<Error> WriteImageAtomically(const std::string& path, const Bytes& image);
// Keeps image (what path held before a save) as RomDocument::BackupPath beside it, else in the
// data folder: where it went, or why neither could be written. Always a new file renamed into
// place, never written through a link.
std::optional<Error> WriteBackup(const std::string& path, const Bytes& image, FileOps& ops,
                                 std::string& where);

// One image file as read: its form, and as much of its content as was asked for.
struct ImageFile {
    Bytes bytes;                  // ReadExtent::Whole: the whole file
    std::vector<ImagePart> parts; // ReadExtent::Tables: the stretches that hold the tables, and the checksums
    ImageForm form;
    uint64_t size = 0;     // of the whole file
    bool writable = false; // see ReadImage
    std::string notice;    // a save of the file found cut short and rolled back before the read
};

enum class ReadExtent {
    Tables, // only the stretches that hold the tables (TableRanges) and the internal headers'
            // checksums (ChecksumRanges)
    Whole,
};

// Reads an image: it must be a regular, readable file of at most kMaximumImageSize bytes that
// holds every table for its form. A file that is not writable is read all the same and reported
// as such; so is one that nobody may write (no write permission bit), even for an administrator,
// since that is how a user marks a reference image to be kept as it is.
// The read is consistent (ReadConsistently).
std::optional<Error> ReadImage(const std::string& path, ReadExtent extent, ImageFile& image,
                               FileOps& ops = *SystemFileOps());
// Reads a file as some save left it, never half of one: under a shared hold on its content,
// which a save holds alone while it changes bytes (ContentLock). A save of it found cut short (a
// journal left) is first rolled back the way Open does, or, when the file may not be written,
// the read is refused with a message that names the journal and says what to do. read gets the
// file opened for reading and its size, both under the hold; notice says what was rolled back.
std::optional<Error>
ReadConsistently(const std::string& path, FileOps& ops,
                 const std::function<std::optional<Error>(QFile& file, uint64_t size)>& read,
                 std::string& notice);
// Whether a file may be written: writable for us, and with a write permission bit for anyone.
bool IsWritableFile(const std::string& path);
// Why a read-only image is not saved (or imported into).
Error ReadOnlyRefusal(const std::string& path);

class RomDocument {
public:
    RomDocument();

    Model& GetModel() { return model_; }
    const Model& GetModel() const { return model_; }
    // The name set its codes and row labels are shown with (the compiled-in set until another is
    // given). A switch changes no value.
    const names::NameSet& Names() const { return model_.Names(); }
    const names::NameSetPtr& SharedNames() const { return model_.SharedNames(); }
    void SetNames(names::NameSetPtr names) { model_.SetNames(std::move(names)); }
    bool IsLoaded() const { return loaded_; }
    const std::string& Path() const { return path_; }
    // Where the tables sit in the open file (with or without the copier header).
    ImageForm Form() const { return form_; }
    // A read-only file is shown but never saved.
    bool IsReadOnly() const { return readOnly_; }
    // Whether the open file passes IsPlausibleImage; one that does not is opened all the same,
    // and the user is told once (ImplausibleNotice).
    bool IsPlausible() const { return plausible_; }

    // Opens a readable image, writable or not. On failure nothing changes: the old file (if
    // any) stays loaded with its values.
    OpenResult Open(const std::string& path);
    // Forgets the file; the values stay in the model.
    void Close();
    // Validates every table, then writes the bytes that change into the file under a rollback
    // journal. Nothing is written when any cell or code is invalid, when the file is read-only,
    // when it can no longer be read, or (unless overwriteChanges) when it is no longer what Open
    // (or the last save) saw. After a save every value cell shows what the file holds as a fresh
    // open shows it (through Apply, so the listeners are told), and that is the saved state.
    SaveResult Save(bool overwriteChanges = false);

    void SetFileOps(std::shared_ptr<FileOps> ops) { ops_ = std::move(ops); }
    // Whether a save that changes the file first keeps its previous content as NAME.bak beside
    // it, or (when the image's folder takes no new files) as BackupInDataFolder; the save's
    // notice then says where. A backup that can be written nowhere stops the save.
    void SetBackupOnSave(bool backup) { backup_ = backup; }
    bool BackupOnSave() const { return backup_; }
    static std::string BackupPath(const std::string& path) { return path + ".bak"; }
    static std::string BackupInDataFolder(const std::string& path);
    // Whether a save also sets the internal header's checksum and complement to what the whole
    // image, with the save's changes, sums to (FixChecksum). The four bytes are written with the
    // rest of the save, and the review lists them. A save that changes nothing else writes them
    // when they are wrong; an image without a recognisable header is then not saved.
    void SetFixChecksumOnSave(bool fix) { fixChecksum_ = fix; }
    bool FixChecksumOnSave() const { return fixChecksum_; }

    static constexpr const char* kChangedOnDisk =
        QT_TRANSLATE_NOOP("Files", "文件在打开后已被其他程序修改。");

    // The one way to change the tables (besides Open): applies the edit to its table, rewrites
    // the name cells of the rows it touched from their codes, and tells every listener once
    // what changed. Cells and codes that already hold their new value are left out; when
    // nothing changes, nobody is told and the result is empty.
    Change Apply(const Edit& edit);
    // Puts the after-values of a recorded change back exactly (use Reversed() to undo it),
    // and tells the listeners like Apply.
    void Replay(const Change& change);

    using ChangeListener = std::function<void(const Change&)>;
    int Subscribe(ChangeListener listener); // returns a token for Unsubscribe
    void Unsubscribe(int token);

    // What Open read (or the last successful Save left) up to the end of the last field: the
    // bytes the unsaved changes were made against.
    const std::vector<ImagePart>& SavedParts() const { return onDisk_; }
    // The file's size as last opened or saved.
    uint64_t SavedSize() const { return onDiskSize_; }

    // Every field changed since the last Open or successful Save, and what the next Save
    // would write into the file as it is now (or refuse).
    Review ReviewChanges() const;

private:
    void Notify(const Change& change);
    std::vector<Change> ShowSaved();

    std::vector<std::pair<int, ChangeListener>> listeners_;
    int nextToken_ = 1;
    Model model_;
    std::string path_;
    bool loaded_ = false;
    ImageForm form_;
    bool readOnly_ = false;
    bool plausible_ = true;
    // What Open read (or the last save left) of the stretches that hold tables, and the file's
    // size: every byte a save may write lies in there.
    std::vector<ImagePart> onDisk_;
    uint64_t onDiskSize_ = 0;
    std::shared_ptr<FileOps> ops_;
    bool backup_ = false;
    bool fixChecksum_ = false;
};

} // namespace dravik::rom
