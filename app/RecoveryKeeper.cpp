#include "app/RecoveryKeeper.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace dravik::app {

namespace {
std::string Absolute(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

// Anything by the name counts, a link too.
bool Exists(const std::string& path)
{
    std::error_code unused;
    return std::filesystem::exists(std::filesystem::symlink_status(path, unused));
}
} // namespace

const std::string& RecoveryKeeper::Hash()
{
    if (hash_.empty())
        hash_ = rom::HashImage(document_.SavedParts());
    return hash_;
}

void RecoveryKeeper::Reset(bool dropRecord)
{
    hash_.clear();
    offered_.clear();
    if (dropRecord) {
        DropTaken();
        if (own_.lock)
            rom::RemoveRecord(own_.path);
    }
    if (dropRecord || !document_.IsLoaded() || ownImage_ != Slot(0)) {
        own_ = {};
        taken_.clear(); // they stay for the next window: no record of this one holds their edits
    }
}

void RecoveryKeeper::DropTaken()
{
    for (const Held& h : taken_)
        rom::RemoveRecord(h.path);
    taken_.clear();
}

std::vector<RecoveryKeeper::Held>::iterator RecoveryKeeper::Offered(const std::string& path)
{
    return std::find_if(offered_.begin(), offered_.end(), [&path](const Held& h) { return h.path == path; });
}

std::optional<rom::Error> RecoveryKeeper::Claim()
{
    for (int slot = 0; slot < rom::kRecordSlots; ++slot) {
        const std::string path = Slot(slot);
        if (const auto taken = Offered(path); taken != offered_.end()) {
            if (!taken->accepted && Exists(path))
                continue; // declined, yet still there
            own_ = std::move(*taken);
            offered_.erase(taken);
            break;
        }
        auto lock = std::make_unique<rom::LockFile>();
        if (const int failed = rom::LockRecord(path, *lock); failed == -EBUSY)
            continue; // a running window's
        else if (failed != 0)
            return rom::Error::Writing(path + ".lock", -failed);
        if (Exists(path))
            continue; // a window's that ended: the next Open offers it
        own_ = {path, std::move(lock), false};
        break;
    }
    if (!own_.lock)
        return rom::Error::Writing(Slot(rom::kRecordSlots - 1) + ".lock", EBUSY);
    ownImage_ = Slot(0);
    return std::nullopt;
}

std::optional<rom::Error> RecoveryKeeper::Update()
{
    if (!Enabled() || !document_.IsLoaded() || document_.IsReadOnly())
        return std::nullopt;
    rom::CarriedChanges changes = rom::CarryUnsaved(document_.GetModel());
    if (changes.mine.empty()) {
        Discard();
        return std::nullopt;
    }
    if (!own_.lock)
        if (std::optional<rom::Error> failed = Claim())
            return failed;
    std::optional<rom::Error> failed = rom::WriteRecord(
        own_.path, {Absolute(document_.Path()), Hash(), std::move(changes.mine), std::move(changes.before)});
    if (!failed)
        DropTaken();
    return failed;
}

std::vector<RecoveryKeeper::Found> RecoveryKeeper::Check()
{
    std::vector<Found> found;
    offered_.clear();
    if (!Enabled() || !document_.IsLoaded() || document_.IsReadOnly())
        return found;
    if (own_.lock) // the image was open here already: its record is offered back with the others
        offered_.push_back(std::move(own_));
    own_ = {};
    for (Held& h : taken_) // and so are the records it had taken back
        offered_.push_back(std::move(h));
    taken_.clear();
    std::vector<std::pair<std::filesystem::file_time_type, int>> order;
    for (int slot = 0; slot < rom::kRecordSlots; ++slot) {
        const std::string path = Slot(slot);
        if (!Exists(path))
            continue;
        const bool mine = Offered(path) != offered_.end();
        auto lock = std::make_unique<rom::LockFile>();
        if (!mine && rom::LockRecord(path, *lock) != 0)
            continue; // the record of a window still running: not this one's to offer or remove
        if (!mine)
            offered_.push_back({path, std::move(lock), false});
        std::error_code unknown; // an unknown time comes first
        order.emplace_back(std::filesystem::last_write_time(path, unknown), slot);
    }
    std::stable_sort(order.begin(), order.end());
    for (const auto& [time, slot] : order) {
        Found f;
        f.path = Slot(slot);
        if (const std::optional<rom::Error> failed = rom::ReadRecord(f.path, f.record)) {
            if (failed->Missing()) {
                Discard(f.path); // gone since: nothing to keep
                continue;
            }
            f.kind = Found::Unreadable;
            f.error = failed;
        } else if (f.record.imageHash == Hash()) {
            f.kind = Found::Offer;
        } else if (f.record.before.empty()) {
            f.kind = Found::FileChanged;
        } else {
            // As a reload would: each change the file does not hold already, over the new contents.
            rom::Reapplication plan = rom::PlanReapply(
                document_.GetModel(), {std::move(f.record.edits), std::move(f.record.before)});
            if (plan.count == 0) {
                Discard(f.path); // the file holds every change: nothing to keep
                continue;
            }
            f.kind = Found::Offer;
            f.fileChanged = true;
            f.changedAlso = plan.changedAlso;
            f.record.edits = std::move(plan.edits);
            f.record.before.clear();
        }
        found.push_back(std::move(f));
    }
    return found;
}

void RecoveryKeeper::Accept(const std::string& path)
{
    for (Held& h : offered_)
        h.accepted = h.accepted || h.path == path;
}

bool RecoveryKeeper::Discard(const std::string& path)
{
    return Offered(path) != offered_.end() ? rom::RemoveRecord(path) : !Exists(path);
}

bool RecoveryKeeper::Discard()
{
    DropTaken();
    if (!own_.lock)
        return true;
    if (!rom::RemoveRecord(own_.path))
        return false;
    own_ = {};
    return true;
}

std::optional<rom::Error> RecoveryKeeper::Settle()
{
    if (offered_.empty())
        return std::nullopt; // nothing was found: nothing changed
    std::optional<rom::Error> failed = Update();
    for (Held& h : offered_)
        if (h.accepted)
            taken_.push_back(std::move(h));
    offered_.clear();
    ownImage_ = Slot(0);
    if (!failed)
        DropTaken();
    return failed;
}

} // namespace dravik::app
