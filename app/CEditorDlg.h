#pragma once
// The main window: menu, the top row of buttons, the page area (seven pages of lists and edit
// boxes sharing one area) and the status line, over one editing session. The window words what
// the session reports and asks the user what only the user can answer; the session does the rest.
//
// Two states: no file (start, after Close) and file loaded (after a successful Open). Save is
// enabled, and rows can be edited, only while a file is loaded. The lists keep their values
// after Close until the next Open replaces them.
#include <QMainWindow>

#include <functional>
#include <map>
#include <vector>

#include "app/Session.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace dravik::widgets {
class Prompts;
}

namespace dravik::app {

class ChartLink;
class ChartPanel;
class FileDrops;
class FindCommands;
class ListCommands;
class NameSetPicker;
class PageArea;
class RecentFiles;
class RecoveryOffer;
class ReferencePicker;
class Sharing;

class CEditorDlg : public QMainWindow {
    Q_OBJECT
public:
    // Every question the window and its dialogs ask goes to prompts, which must outlive the window.
    explicit CEditorDlg(widgets::Prompts& prompts, QWidget* parent = nullptr);
    // Asks with the real message boxes and file dialogs.
    explicit CEditorDlg(QWidget* parent = nullptr);
    ~CEditorDlg() override;

    Session& GetSession() { return session_; }
    // 载入名称表 and the folder remembered for the next run.
    NameSetPicker& NameSets() { return *nameSets_; }

    // The program's name: the window's title and the caption of its messages.
    static QString Caption();
    static QString ImageFilter(); // the file filter of every question for an image

    // Opens path as the Open command does after its file dialog. False (and a message, ending with
    // noteIfRefused when given) on failure, in which case nothing changes. dropUnsaved: the user
    // let the unsaved edits go (Session::Open).
    bool OpenFile(const QString& path, const QString& noteIfRefused = {}, bool dropUnsaved = false);

    // Compares every cell with the image at path (remembered for the open image); false (and a
    // message with the reason) when it is refused, which changes nothing.
    bool UseReference(const QString& path);

public slots:
    void OnOpen();
    void OnClose();
    void OnSave();
    void OnSaveAs();
    void OnExit();
    void OnUserGuide();
    void ShowPage(int page);
    void OnBaseConverter();
    // 图表 (Ctrl+G): the chart window, made when first asked for; nullptr, told to the user,
    // when the chart library cannot be loaded.
    ChartPanel* OnChart();
    void OnAbout();
    void OnReviewChanges();
    // Shows the page of a table and selects its row (or the box that shows it).
    void ShowTableRow(const QString& tableId, int row);

protected:
    // The close box and 退出 ask about unsaved edits first.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildMenu();
    void BuildEditMenu();
    void AddListCommands();
    void AddRememberedToggle(QMenu* file, const QString& text, const QString& key, bool byDefault,
                             void (rom::RomDocument::*set)(bool));
    void AddBackupItem(QMenu* file);
    void BuildTopRow();
    QSize StartSize() const;
    void ArrangeClient(const QSize& size);
    void SetLoadedState(bool loaded);
    void UpdateStatusLine();
    void UpdateTitle();
    // Open without looking for a recovery record. False (and a message) on failure, which
    // changes nothing.
    bool LoadFile(const QString& path, const QString& noteIfRefused = {}, bool dropUnsaved = false);
    // What follows a successful Open or reload: the views, the recent list, any notice.
    void ShowOpened(const std::string& notice);
    // overwrite: the same write again, over what the other program changed.
    bool ResolveChangedFile(rom::SaveResult& saved, const std::function<rom::SaveResult()>& overwrite);
    // Saves and says how it went; true when the file now holds every edit.
    bool SaveNow();
    // Before the open file is left (Close, Open of another, Exit): unsaved edits are saved or
    // dropped as the user says. False when the user cancelled (or the save failed): stay. With
    // dropLater, edits to drop are only marked there, for the caller to drop when it leaves.
    bool SettleUnsavedEdits(bool* dropLater = nullptr);
    void ReloadKeepingEdits();
    // What the window adds to a page's controls once they are made: where-used, file drops.
    void WirePage(QWidget* page);
    // Settles unsaved edits, then opens path; false only when the file was refused.
    bool OpenAsked(const QString& path, const QString& noteIfRefused = {});
    // Names are looked up when shown, so a repaint of every list is all a switch needs.
    void Relabel();

    widgets::Prompts& prompts_;
    Session session_;
    PageArea* pages_ = nullptr;
    ReferencePicker* reference_ = nullptr;
    Sharing* sharing_ = nullptr;
    RecentFiles* recent_ = nullptr;
    FileDrops* fileDrops_ = nullptr;
    NameSetPicker* nameSets_ = nullptr;
    FindCommands* finding_ = nullptr;
    RecoveryOffer* recovery_ = nullptr;
    QWidget* client_ = nullptr; // the top row, the page area and the status line

    QLabel* status_ = nullptr;
    QString statusText_; // shown cut to the status line's width
    QPushButton* saveButton_ = nullptr;
    std::map<int, QPushButton*> pageButtons_; // by page
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* reviewAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QMenu* editMenu_ = nullptr;
    ListCommands* listCommands_ = nullptr; // the 编辑 menu's commands on a list's rows
    ChartLink* chart_ = nullptr;
    bool iconAsked_ = false; // the icon is set after the first paint
};

} // namespace dravik::app
