#pragma once
// Keeps the recovery record of the open image current: after every change it writes the unsaved
// cells and codes (or removes the record when there are none), and after an Open it says which
// records left by windows that have ended can be offered back. Each window that edits an image
// keeps a record of its own, in a slot (rom::RecordPath) whose lock (rom::LockRecord) it holds from
// the first write until the record goes or the window lets go of the image; it never reads,
// writes or removes a record in a slot it does not hold. A record left by a window that ended stays
// where it is until an Open offers it; a window writing meanwhile takes another slot.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rom/JournalFiles.h"
#include "rom/Recovery.h"
#include "rom/RomDocument.h"

namespace dravik::app {

class RecoveryKeeper {
public:
    explicit RecoveryKeeper(const rom::RomDocument& document) : document_(document) {}

    // Where records live; empty turns recovery off.
    void SetFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& Folder() const { return folder_; }
    bool Enabled() const { return !folder_.empty(); }

    // The bytes the changes are made against are new (Open, Save, Close). The record of an image
    // no longer open here stays, and its lock goes, so that the next window is offered it; with
    // dropRecord (the user let the changes go) this window's record goes too.
    void Reset(bool dropRecord = false);
    // Writes this window's record of the unsaved changes, or removes it when there are none.
    std::optional<rom::Error> Update();

    struct Found {
        // FileChanged: made against bytes another program changed since, and the record holds
        // no values from before to tell which of its changes are still the user's alone.
        enum Kind { None, Offer, FileChanged, Unreadable } kind = None;
        rom::RecoveryRecord record;      // Offer: edits holds the changes to put back
        std::optional<rom::Error> error; // Unreadable: why
        std::string path;                // of the record
        // Offer over contents another program changed since: of the changes to put back, those
        // it changed too.
        bool fileChanged = false;
        int changedAlso = 0;
    };
    // After an Open: the records left for this image by windows that have ended (this one's own
    // among them when the image was open here already), the oldest first, each checked against
    // the bytes just read. They are this window's to take back or discard until Settle.
    std::vector<Found> Check();
    // The edits of the record at path are the window's now: the record goes once this window's
    // own holds them (Settle).
    void Accept(const std::string& path);
    // Removes a record Check found; false when it is still there.
    bool Discard(const std::string& path);
    // Removes this window's record of the open image, and the records it took back that no record
    // of its own holds yet; false when its own is still there.
    bool Discard();
    // After the offers: this window's record is written, then the records taken back are removed;
    // any other stays for the next Open. When the write failed, the records taken back stay,
    // held by this window, until one of its records holds their edits, or they are saved or let
    // go; a window that ends or leaves the image first leaves them for the next Open.
    std::optional<rom::Error> Settle();

private:
    struct Held {
        std::string path;
        std::unique_ptr<rom::LockFile> lock;
        bool accepted = false;
    };

    const std::string& Hash();
    std::string Slot(int slot) const { return rom::RecordPath(folder_, document_.Path(), slot); }
    // Holds a slot for this window's record: one a record taken back was in, else the first free
    // one (no running window holds it, no record of an ended window is in it).
    std::optional<rom::Error> Claim();
    // Removes the records in taken_: this window's own holds their edits now, or nothing does.
    void DropTaken();
    // The record Check found at path, or offered_.end().
    std::vector<Held>::iterator Offered(const std::string& path);

    const rom::RomDocument& document_;
    std::string folder_;
    std::string hash_;
    Held own_;                  // this window's record, while the lock is held
    std::string ownImage_;      // the image own_ is for (its first slot)
    std::vector<Held> offered_; // the records Check found, until Settle
    std::vector<Held> taken_;   // records taken back that no record of this window holds yet
};

} // namespace dravik::app
