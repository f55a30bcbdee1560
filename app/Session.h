#pragma once
// One image being edited and everything that belongs to it: the document, the undo history of
// its edits, the recovery record of its unsaved changes, the guarded way to its file (Open, Save,
// Reload, Close through the core's save path) and the name set its codes are shown with. The
// window drives a session and words what it reports; whatever needs an answer from the user is
// asked by the window, which then tells the session what was chosen.
//
// Every change of the document, whoever makes it (an edit, undo, redo, a recovery), arrives in
// Changed, and the recovery record follows it once per event.
#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "app/RecoveryKeeper.h"
#include "app/ReferenceMarks.h"
#include "names/NameSet.h"
#include "rom/Recovery.h"
#include "rom/RomDocument.h"

class QTimer;

namespace dravik::app {

class EditHistory;

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);
    ~Session() override;

    rom::RomDocument& Document() { return document_; }
    const rom::RomDocument& Document() const { return document_; }
    EditHistory& History() const { return *history_; }
    bool IsLoaded() const { return document_.IsLoaded(); }
    // Loaded and writable: edits may be made and saved.
    bool IsEditable() const { return document_.IsLoaded() && !document_.IsReadOnly(); }
    bool IsModified() const;

    // Opens an image. The record of the changes made so far is written first (it belongs to the
    // file being left, or to this same file, to be offered back). On success the history starts
    // afresh; on failure nothing changes. dropUnsaved: the user let the unsaved changes go, so
    // their record goes too, once the image opened (an open that fails keeps both).
    rom::OpenResult Open(const std::string& path, bool dropUnsaved = false);
    // Forgets the file without asking: its unsaved changes stay in the recovery record.
    void Close();
    // Saves every change. On success the saved values are the new baseline (no cell is marked
    // changed, no record is left). fileChanged: another program changed the file, nothing
    // was written; overwriteChanges writes over it.
    rom::SaveResult Save(bool overwriteChanges = false);
    // Writes the image with every change to a new file (whole, as one replace, so a failure leaves
    // whatever was there), which then becomes the open file with no unsaved change; the file
    // open before keeps its bytes and loses its record. Refused, changing nothing, when Save
    // would refuse a value or the file can no longer be read. fileChanged: another program
    // changed fields of the open file since Open, nothing was written; overwriteChanges writes
    // every field as shown. A file replaced is kept as its backup first when backups are on.
    rom::SaveResult SaveAs(const std::string& path, bool overwriteChanges = false);
    // The user chose not to keep the unsaved changes: no record of them is kept (the document
    // still holds them until it is closed or another file is opened).
    void ForgetUnsavedChanges();
    // Opens the file again after another program changed it. The unsaved changes are carried
    // over: plan says which of them to put back over the new contents (Recover applies them, or
    // ForgetUnsavedChanges lets them go; their record stays until then). On failure nothing
    // changes and the changes are still there.
    rom::OpenResult Reload(rom::Reapplication& plan);

    // Applies the edits as one undo step named text; false when nothing changed.
    bool Apply(const std::vector<rom::Edit>& edits, const QString& text);
    bool Apply(const rom::Edit& edit, const QString& text)
    {
        return Apply(std::vector<rom::Edit>{edit}, text);
    }

    // Where recovery records are kept; empty turns recovery off.
    void SetRecoveryFolder(const std::string& folder) { recovery_.SetFolder(folder); }
    static std::string DefaultRecoveryFolder();
    // After an Open: what windows that ended left for this image, the oldest first. Each is
    // taken back or discarded, then SettleRecoveryRecords.
    std::vector<RecoveryKeeper::Found> FindRecoveryRecords() { return recovery_.Check(); }
    // Puts the changes of a record back as one step. A record that changes nothing any more (the
    // file holds its values) is removed; false then.
    bool Recover(const RecoveryKeeper::Found& record);
    // Puts the changes of a reload back as one step; false when nothing changed.
    bool Recover(const std::vector<rom::Edit>& edits);
    // Removes a record found; false when it is still there.
    bool DiscardRecoveryRecord(const std::string& path) { return recovery_.Discard(path); }
    // The records found are answered: this window's record holds the changes taken back, and
    // the records they came from go.
    void SettleRecoveryRecords();

    // The reference image the cells are compared with; refused, changing nothing, with the reason
    // when it cannot be read or is not an image of the game's layout. It stays when another file
    // is opened (the window chooses the one remembered for it). notice: an interrupted save of it
    // that was rolled back first, if any.
    std::optional<rom::Error> SetReference(const std::string& path, std::string* notice = nullptr);
    void ClearReference();
    const ReferenceMarks& Marks() const { return marks_; }

    // The name set the lists, editors and find show codes with.
    const names::NameSet& Names() const { return document_.Names(); }
    // Makes a folder of name files the set in use; false with every reason when it is refused,
    // which changes nothing.
    bool UseNameFolder(const std::string& folder, std::vector<rom::Error>& errors);
    void UseBuiltInNames();
    // What the status line and the About box say of the name set in use.
    QString NamesSummary() const;

signals:
    void Changed(const rom::Change& change);
    void ModifiedChanged(bool modified);
    void NamesChanged();
    // Another reference image, or none: every mark may have changed.
    void ReferenceChanged();
    // A recovery record could not be written; the edits themselves are made. Not sent again
    // until a record was written since.
    void RecoveryWriteFailed(const QString& reason);

private:
    void UpdateMarks();
    void ScheduleRecoveryWrite();
    void FlushRecoveryWrite();
    void WriteRecoveryNow();
    void ReportRecoveryWrite(const std::optional<rom::Error>& failed);

    rom::RomDocument document_;
    EditHistory* history_;
    RecoveryKeeper recovery_{document_};
    ReferenceMarks marks_;
    QTimer* recoveryTimer_;        // one record write for all the changes of one event
    bool recoveryFailing_ = false; // the last record write failed
};

} // namespace dravik::app
