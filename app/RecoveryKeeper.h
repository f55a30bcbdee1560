#pragma once
// Keeps the recovery record of the open image current: after every change it writes the unsaved
// cells and codes (or removes the record when there are none), and after an Open it says whether
// a record from an earlier session can be offered back.
#include <optional>
#include <string>

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

    // The bytes the changes are made against are new (Open, Save).
    void Reset() { hash_.clear(); }
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
    // Removes the open image's record; false when it is still there.
    bool Discard();
    std::string RecordPath() const; // of the open image

private:
    const std::string& Hash();

    const rom::RomDocument& document_;
    std::string folder_;
    std::string hash_;
};

} // namespace dravik::app
