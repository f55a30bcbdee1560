#pragma once
// Keeps the recovery record of the open image current: after every change it writes the unsaved
// cells and codes (or removes the record when there are none), and after an Open it says whether
// a record from an earlier session can be offered back. The record is this window's only while it
// holds the record's lock (rom::LockRecord): from the first write, or from the offer of a record
// left behind, until the record goes or the window lets go of the image. Another window with the
// same image open meanwhile keeps no record and leaves this one alone.
#include <optional>
#include <string>

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
    // Writes the record of the unsaved changes, or removes it when there are none.
    std::optional<rom::Error> Update();

    struct Found {
        enum Kind { None, Offer, FileChanged, Unreadable } kind = None;
        rom::RecoveryRecord record;
        std::optional<rom::Error> error; // Unreadable: why
    };
    // After an Open: the record left for this image by an earlier session, checked against the
    // bytes just read.
    Found Check();
    // Removes this window's record of the open image; false when it is still there.
    bool Discard();
    std::string RecordPath() const; // of the open image

private:
    const std::string& Hash();
    // Holds the open image's record lock, taking it when no running window has it: 0, or as
    // rom::LockRecord says why not.
    int Own();
    bool Drop(); // removes the record, then lets its lock go

    const rom::RomDocument& document_;
    std::string folder_;
    std::string hash_;
    rom::LockFile lock_;
    std::string locked_; // the record lock_ is for
};

} // namespace dravik::app
