#include "app/RecoveryKeeper.h"

#include <QFileInfo>

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

std::optional<rom::Error> RecoveryKeeper::Update()
{
    if (!Enabled() || !document_.IsLoaded() || document_.IsReadOnly())
        return std::nullopt;
    std::vector<rom::Edit> edits = rom::UnsavedEdits(document_.GetModel());
    if (edits.empty()) {
        rom::RemoveRecord(RecordPath());
        return std::nullopt;
    }
    return rom::WriteRecord(RecordPath(), {Absolute(document_.Path()), Hash(), std::move(edits)});
}

RecoveryKeeper::Found RecoveryKeeper::Check()
{
    Found found;
    if (!Enabled() || !document_.IsLoaded() || document_.IsReadOnly())
        return found;
    if (const std::optional<rom::Error> failed = rom::ReadRecord(RecordPath(), found.record)) {
        if (failed->Missing())
            return found;
        found.kind = Found::Unreadable;
        found.error = failed;
        return found;
    }
    found.kind = found.record.imageHash == Hash() ? Found::Offer : Found::FileChanged;
    return found;
}

bool RecoveryKeeper::Discard()
{
    return !Enabled() || !document_.IsLoaded() || rom::RemoveRecord(RecordPath());
}

} // namespace dravik::app
