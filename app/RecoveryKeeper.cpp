#include "app/RecoveryKeeper.h"

#include <QFileInfo>
#include <cerrno>
#include <filesystem>

namespace dravik::app {

namespace {
std::string Absolute(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}
} // namespace

std::string RecoveryKeeper::RecordPath() const { return rom::RecordPath(folder_, document_.Path()); }

const std::string& RecoveryKeeper::Hash()
{
    if (hash_.empty())
        hash_ = rom::HashImage(document_.SavedParts());
    return hash_;
}

void RecoveryKeeper::Reset(bool dropRecord)
{
    hash_.clear();
    if (!lock_.Held())
        return;
    if (dropRecord)
        rom::RemoveRecord(locked_);
    if (dropRecord || !document_.IsLoaded() || locked_ != RecordPath())
        lock_.Release();
}

int RecoveryKeeper::Own()
{
    if (lock_.Held())
        return 0;
    locked_ = RecordPath();
    return rom::LockRecord(locked_, lock_);
}

bool RecoveryKeeper::Drop()
{
    if (!rom::RemoveRecord(RecordPath()))
        return false;
    lock_.Release();
    return true;
}

std::optional<rom::Error> RecoveryKeeper::Update()
{
    if (!Enabled() || !document_.IsLoaded() || document_.IsReadOnly())
        return std::nullopt;
    std::vector<rom::Edit> edits = rom::UnsavedEdits(document_.GetModel());
    if (edits.empty()) {
        Discard();
        return std::nullopt;
    }
    const bool mine = lock_.Held();
    if (const int failed = Own(); failed == -EBUSY)
        return std::nullopt; // another window keeps this image's record
    else if (failed != 0)
        return rom::Error::Writing(locked_ + ".lock", -failed);
    // A record this window did not keep is another's, whose window ended since (its lock was
    // stale): it stays for the next Open to offer, and this window keeps none meanwhile.
    std::error_code unused;
    if (!mine && std::filesystem::exists(std::filesystem::symlink_status(RecordPath(), unused))) {
        lock_.Release();
        return std::nullopt;
    }
    return rom::WriteRecord(RecordPath(), {Absolute(document_.Path()), Hash(), std::move(edits)});
}

RecoveryKeeper::Found RecoveryKeeper::Check()
{
    Found found;
    if (!Enabled() || !document_.IsLoaded() || document_.IsReadOnly())
        return found;
    // Nothing is locked when there is nothing to offer (anything by the name counts, a link too).
    std::error_code unused;
    if (!std::filesystem::exists(std::filesystem::symlink_status(RecordPath(), unused)))
        return found;
    if (Own() != 0)
        return found; // the record of a window still running: not this one's to offer or remove
    if (const std::optional<rom::Error> failed = rom::ReadRecord(RecordPath(), found.record)) {
        if (failed->Missing()) {
            Discard(); // gone since: nothing to keep
            return found;
        }
        found.kind = Found::Unreadable;
        found.error = failed;
        return found;
    }
    found.kind = found.record.imageHash == Hash() ? Found::Offer : Found::FileChanged;
    return found;
}

bool RecoveryKeeper::Discard() { return !lock_.Held() || Drop(); }

} // namespace dravik::app
