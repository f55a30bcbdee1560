#pragma once
// The main window: menu, the top row of buttons, seven pages of lists and edit boxes sharing one
// area, and the status line. It owns the open document; every command runs here.
//
// Two states: no file (start, after Close) and file loaded (after a successful Open). Save is
// enabled, and rows can be edited, only while a file is loaded. The lists keep their values
// after Close until the next Open replaces them.
#include <QMainWindow>

#include <map>
#include <set>
#include <vector>

#include "app/RecoveryKeeper.h"
#include "rom/RomDocument.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;

namespace dravik::widgets {
class LineBox;
class Prompts;
} // namespace dravik::widgets

namespace dravik::app {

class FindBox;
class EditHistory;
class TableModel;
struct PriceEditorDecl;

class CEditorDlg : public QMainWindow {
    Q_OBJECT
public:
    // Every question the window and its dialogs ask goes to prompts, which must outlive the window.
    explicit CEditorDlg(widgets::Prompts& prompts, QWidget* parent = nullptr);
    // Asks with the real message boxes and file dialogs.
    explicit CEditorDlg(QWidget* parent = nullptr);
    ~CEditorDlg() override;

    rom::RomDocument& Document() { return document_; }
    bool IsLoaded() const { return document_.IsLoaded(); }

    // Opens path as the Open command does after its file dialog. False (and a message, ending with
    // noteIfRefused when given) on failure, in which case nothing changes.
    bool OpenFile(const QString& path, const QString& noteIfRefused = {});

    EditHistory& History() const { return *history_; }

    // Where recovery records are kept; empty turns recovery off (--no-recovery, tests).
    void SetRecoveryFolder(const QString& folder);
    static QString DefaultRecoveryFolder();

public slots:
    void OnOpen();
    void OnClose();
    void OnSave();
    void OnExit();
    void ShowPage(int page);
    void OnBaseConverter();
    void OnAbout();
    // Sharing a mod (CEditorDlgSharing.cpp).
    void OnExportPatch();
    void OnCompare();
    // Shows the page of a table and selects its row (or the box that shows it).
    void ShowTableRow(const QString& tableId, int row);
    void OnReviewChanges();
    // Name sets, find and where-used (CEditorDlgNames.cpp).
    void OnLoadNames();
    void OnBuiltInNames();
    void OnFind();

public:
    // Makes a folder of name files the active set and relabels everything; false (and a
    // message with every reason) when it is refused, which changes nothing.
    bool UseNameFolder(const QString& folder);
    // At start: the folder chosen last time, if any.
    void UseRememberedNames();

private:
    FindBox* Finder();
    // Lists where the thing of a list's row (or a monster's attack cell) is used; false when
    // that cell has no references to show.
    bool ShowReferences(int listId, int row, int column);
    void BuildMenu();
    void AddSharingItems(QMenu* file);
    void AddNameItems(QMenu* file);
    void AddFindItems();
    void WireReferences(int listId);
    void Relabel();
    void AddBackupItem(QMenu* file);
    // Recent files, dropped files and the Open dialog's folder (CEditorDlgFiles.cpp).
    void AddRecentItems(QMenu* file);
    void RefreshRecentMenu();
    void OpenRecent(const QString& path);
    void RememberOpened(const QString& path);
    QString OpenDialogFolder() const;
    void AcceptFileDrops();
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void BuildTopRow();
    void BuildPages();
    void WirePriceEditor(const PriceEditorDecl& editor);
    void WireRowEditor(int listId);
    void SetLoadedState(bool loaded);
    bool ResolveChangedFile(rom::Status& status);
    // Recovery of unsaved changes (records after each change, offered back on Open and after a
    // reload of a changed file).
    bool LoadFile(const QString& path, const QString& noteIfRefused = {});
    void OfferRecoveryRecord();
    QString DiscardRecoveryRecord();
    void ReloadKeepingEdits();
    void ScheduleRecoveryWrite();
    void FlushRecoveryWrite();
    void WriteRecoveryNow();
    void SetViewOnly(bool viewOnly);
    void BuildEditMenu();
    void ApplyEdit(const rom::Edit& edit, int row);
    void OnDocumentChanged(const rom::Change& change);
    void UpdateTitle();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void RefreshAll();
    void FitNameColumnsOn(const QWidget* page);
    void RefreshBoundBoxes();
    int SelectedRow(int listId) const;

    void OnPriceRowClicked(int listId, int editId);
    void OnPriceApply(int listId, int editId);
    void OnRowDoubleClicked(int listId);

    widgets::Prompts& prompts_;
    rom::RomDocument document_;
    EditHistory* history_ = nullptr;
    RecoveryKeeper recovery_{document_};
    QTimer* recoveryTimer_ = nullptr; // one record write for all the changes of one event

    QLabel* status_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QAction* saveAction_ = nullptr;
    std::vector<QAction*> sharingActions_; // need a loaded file, read-only or not
    QAction* reviewAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    std::map<int, QTableView*> lists_;
    // Lists whose names changed while their page was hidden: fitted when the page is shown.
    std::set<int> unfitted_;
    std::map<int, TableModel*> models_;
    std::map<int, widgets::LineBox*> boxes_;
    FindBox* findBox_ = nullptr;
    QMenu* recentMenu_ = nullptr;
};

// What the status line and the About box say of the active name set.
QString NamesSummary();

} // namespace dravik::app
