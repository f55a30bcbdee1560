#pragma once
// Recovery records: the unsaved changes of an open image, kept in a small file after every edit
// so that a window that ends without saving (Exit, a crash, kill -9) loses nothing. A record
// names the image, a hash of the bytes the changes were made against, and every changed cell and
// code; it is applied only to a file whose bytes still have that hash.
#include <optional>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Error.h"
#include "rom/Passes.h"
#include "rom/Table.h"

namespace dravik::rom {

class LockFile;

struct RecoveryRecord {
    std::string imagePath;   // absolute
    std::string imageHash;   // see HashImage
    std::vector<Edit> edits; // one per table with changes: the new texts of value cells and codes
    // Entry for entry as edits, what the image held there when they were made, so that they can be
    // put over contents another program changed since (see PlanReapply). Empty in a record
    // written before records held them.
    std::vector<Edit> before;

    int Count() const; // changed cells and codes, as the question counts them
};

// A hash of the stretches of an image that hold the tables (BLAKE2b-256, hexadecimal).
std::string HashImage(const std::vector<ImagePart>& parts);

// Every value cell and code that differs from its baseline, as edits that bring a freshly
// loaded model to the same state.
std::vector<Edit> UnsavedEdits(const Model& model);

// Unsaved changes carried across a reload of a file another program changed: what the user made
// each changed cell and code, and what the file held there when they changed it.
struct CarriedChanges {
    std::vector<Edit> mine;
    std::vector<Edit> before; // entry for entry as mine, with the baseline values
};
CarriedChanges CarryUnsaved(const Model& model);

// The carried changes over the reloaded contents: only the cells and codes the user changed,
// and of those only the ones that do not already hold the user's value.
struct Reapplication {
    std::vector<Edit> edits;
    int count = 0;       // entries in edits
    int changedAlso = 0; // of those, entries the other program changed as well (the user's wins)
};
Reapplication PlanReapply(const Model& reloaded, const CarriedChanges& carried);

// Where a record of an image lives inside folder: each window that edits the image keeps its own,
// in the first of kRecordSlots files that no other window holds; the first is named by the image's
// path alone, the others add their number.
constexpr int kRecordSlots = 16;
std::string RecordPath(const std::string& folder, const std::string& imagePath, int slot = 0);

// The entries of edits whose cell or code already holds an unsaved value other than theirs: what
// applying them would write over.
int Overlapping(const Model& model, const std::vector<Edit>& edits);

std::string SerializeRecord(const RecoveryRecord& record);
// Refused, with the reason, when the text is not a record this program wrote.
std::optional<Error> ParseRecord(const std::string& text, RecoveryRecord& record);

// Writes the record atomically (a temporary file renamed over the old record), creating the
// folder when needed.
std::optional<Error> WriteRecord(const std::string& path, const RecoveryRecord& record);
// Reads a record. When there is none the error is Missing(); any other error: the file exists
// but cannot be read or is not a valid record.
std::optional<Error> ReadRecord(const std::string& path, RecoveryRecord& record);
// Whether a record ReadRecord refused may read another time: the file could not be read (a disk
// error, no permission, no memory), as opposed to what it is or what it holds. Such a record is
// kept for a later Open rather than removed as useless.
bool MayReadLater(const Error& refused);
// True when no record is left at path (there was none, or it was removed).
bool RemoveRecord(const std::string& path);

// A record is kept by one window at a time: the one that holds the lock beside it (its path plus
// ".lock", as QLockFile makes one) for as long as the record is its own. No other window, in this
// process or another, offers, removes or writes it meanwhile. The lock of a process that has ended
// (a crash, the case records exist for) is stale and taken over. 0 when lock holds it, -EBUSY
// while another running window does, else the error number of making it.
int LockRecord(const std::string& path, LockFile& lock);

} // namespace dravik::rom
