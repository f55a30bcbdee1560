#include "app/CEditorDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStyle>
#include <QTableView>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "app/CAboutDlg.h"
#include "app/ChangeReviewDialog.h"
#include "app/ChartLink.h"
#include "app/EditHistory.h"
#include "app/LanguageMenu.h"
#include "app/ListCommands.h"
#include "app/PageArea.h"
#include "app/PageLayout.h"
#include "app/Resources.h"
#include "rom/ImageDiff.h"
#include "rom/InternalHeader.h"
#include "rom/PatchFiles.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"
#include "widgets/Marks.h"
#include "widgets/Placement.h"
#include "widgets/Prompts.h"
#include "widgets/Text.h"

namespace dravik::app {

using widgets::DialogUnits;
using widgets::Prompts;

namespace {

using widgets::Q;

QString Saved() { return CEditorDlg::tr("保存成功!\t"); }

QRect Pixels(const DialogUnits& du, const DuRect& r) { return du.Rect(r.x, r.y, r.width, r.height); }

// The status line keeps the start of its text and the file name of a long path, cutting the
// middle ("[文件]/home/…/game.smc"); its tool tip has the whole path.
void ShowElided(QLabel* label, const QString& text)
{
    const int room = label->contentsRect().width() - 2 * std::max(label->indent(), 0);
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
}

// The button of the page shown stays pressed, and its face tells it apart on the window's palette.
void ShowPressed(QPushButton* button, bool pressed, const QPalette& window)
{
    button->setChecked(pressed);
    QPalette face; // nothing of its own: the button follows the window's palette
    if (pressed)
        face.setColor(QPalette::Button, widgets::CheckedButtonFace(window));
    button->setPalette(face);
}

} // namespace

QString CEditorDlg::ImageFilter() { return tr("SMC File (*.smc *.sfc);;所有文件 (*)"); }

QString CEditorDlg::Caption() { return tr("Dravik静态修改器"); }

CEditorDlg::CEditorDlg(QWidget* parent) : CEditorDlg(Prompts::Dialogs(), parent) {}

CEditorDlg::CEditorDlg(Prompts& prompts, QWidget* parent) : QMainWindow(parent), prompts_(prompts)
{
    Prompts::Give(this, &prompts); // the row editors and tools ask through the window's
    EnsureResources();
    setObjectName(QStringLiteral("CEditorDlg"));
    setWindowTitle(Caption());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(widgets::EditorFont());

    connect(&session_, &Session::ModifiedChanged, this, &CEditorDlg::UpdateTitle);
    connect(&session_, &Session::RecoveryWriteFailed, this,
            [this](const QString& reason) { status_->setToolTip(tr("无法写入恢复记录：%1").arg(reason)); });
    connect(&session_, &Session::NamesChanged, this, &CEditorDlg::Relabel);
    connect(&session_, &Session::Changed, this, [this] {
        if (session_.Marks().IsSet())
            UpdateStatusLine(); // the count of cells that differ from the reference
    });
    // Undo and redo never change a value out of sight.
    connect(&session_.History(), &EditHistory::StepReplayed, this, &CEditorDlg::ShowTableRow);

    BuildMenu();
    BuildTopRow();
    pages_ = new PageArea(session_, client_, this);
    pages_->PassKeys({undoAction_, redoAction_});
    connect(pages_, &PageArea::PageShown, this, [this](int page) {
        for (auto& [number, button] : pageButtons_)
            ShowPressed(button, number == page, palette());
    });
    connect(pages_, &PageArea::PageMade, this, &CEditorDlg::WirePage);
    AddListCommands();
    AcceptFileDrops();
    SetLoadedState(false);
    ShowPage(0);
    resize(StartSize());
}

void CEditorDlg::WirePage(QWidget* page)
{
    for (const auto& [id, view] : pages_->Lists())
        if (page->isAncestorOf(view))
            WireReferences(id);
    for (QLineEdit* box : page->findChildren<QLineEdit*>())
        box->installEventFilter(fileDrops_);
}

// The designed size, or as much of it as the screen has room for: a window larger than its
// screen (a small screen, or a large scale factor) could not be moved or closed.
QSize CEditorDlg::StartSize() const
{
    const QSize designed =
        DialogUnits(font()).Size(kWindowWidth, kWindowHeight) + QSize(0, menuBar()->sizeHint().height());
    const QScreen* screen = this->screen();
    if (!screen)
        return designed;
    // Room for the title bar the window manager adds.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return widgets::StartSize(designed, screen->availableGeometry().size() - QSize(0, titleBar),
                              style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

// The client is never smaller than designed (the scroll area scrolls it); what it has beyond
// goes to the page area, and the status line stays at the bottom.
void CEditorDlg::ArrangeClient(const QSize& size)
{
    const DialogUnits du(font());
    const QSize extra = (size - du.Size(kWindowWidth, kWindowHeight)).expandedTo(QSize(0, 0));
    QRect area = Pixels(du, kPageArea);
    area.setSize(area.size() + extra);
    pages_->Fit(area);
    QRect status = Pixels(du, kStatusLine).translated(0, extra.height());
    status.setWidth(status.width() + extra.width());
    status_->setGeometry(status);
    ShowElided(status_, statusText_);
}

bool CEditorDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == client_)
        ArrangeClient(static_cast<QResizeEvent*>(event)->size());
    return QMainWindow::eventFilter(watched, event);
}

CEditorDlg::~CEditorDlg()
{
    // The session (a member) goes before the child widgets: a visible list being torn down
    // would still ask its model for headers over freed tables. Detach the lists first.
    delete chart_; // its window reads the tables
    pages_->Detach();
    delete takeCentralWidget();
}

void CEditorDlg::BuildMenu()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const QString& text, QKeySequence key, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        // The label already shows the key after its tab; the shortcut makes it work.
        if (!key.isEmpty())
            a->setShortcut(key);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = bar->addMenu(tr("文件(&F)"));
    add(file, "actionOpen", tr("打开(&O)\tCtrl+O"), QKeySequence(Qt::CTRL | Qt::Key_O), &CEditorDlg::OnOpen);
    add(file, "actionClose", tr("关闭(&C)"), {}, &CEditorDlg::OnClose);
    AddRecentItems(file);
    file->addSeparator();
    saveAction_ = add(file, "actionSave", tr("保存(&S)\tCtrl+S"), QKeySequence(Qt::CTRL | Qt::Key_S),
                      &CEditorDlg::OnSave);
    saveAsAction_ = add(file, "actionSaveAs", tr("另存为(&A)…\tCtrl+Shift+S"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &CEditorDlg::OnSaveAs);
    reviewAction_ = add(file, "actionReview", tr("查看修改(&D)\tCtrl+D"), QKeySequence(Qt::CTRL | Qt::Key_D),
                        &CEditorDlg::OnReviewChanges);
    file->addSeparator();
    AddSharingItems(file);
    AddReferenceItems(file);
    AddNameItems(file);
    AddBackupItem(file);
    add(file, "actionExit", tr("退出(&E)\tCtrl+Q"), QKeySequence(Qt::CTRL | Qt::Key_Q), &CEditorDlg::OnExit);

    BuildEditMenu();
    AddFindItems();

    QMenu* window = bar->addMenu(tr("视窗(&W)"));
    for (const PageButtonDecl& b : PageButtons()) {
        QAction* a = window->addAction(PageText(b.menuCaption));
        a->setObjectName(QStringLiteral("actionPage%1").arg(b.page));
        const int page = b.page;
        connect(a, &QAction::triggered, this, [this, page] { ShowPage(page); });
    }

    QMenu* tools = bar->addMenu(tr("工具(&T)"));
    add(tools, "actionBaseConverter", tr("进制转换(&F)\tCtrl+F"), QKeySequence(Qt::CTRL | Qt::Key_F),
        &CEditorDlg::OnBaseConverter);
    QAction* chart = tools->addAction(tr("图表(&G)…\tCtrl+G"));
    chart->setObjectName(QStringLiteral("actionChart"));
    chart->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    addAction(chart);
    connect(chart, &QAction::triggered, this, &CEditorDlg::OnChart);
    AddLanguageMenu(bar, prompts_, this);
    QMenu* help = bar->addMenu(tr("帮助(&H)"));
    add(help, "actionUserGuide", tr("用户指南(&U)\tF1"), QKeySequence(Qt::Key_F1), &CEditorDlg::OnUserGuide);
    add(help, "actionAbout", tr("关于(&A)\tCtrl+A"), QKeySequence(Qt::CTRL | Qt::Key_A),
        &CEditorDlg::OnAbout);
}

// 编辑: undo and redo, named after the step they take back or take again.
void CEditorDlg::BuildEditMenu()
{
    editMenu_ = menuBar()->addMenu(tr("编辑(&E)"));
    undoAction_ = session_.History().CreateUndoAction(this);
    undoAction_->setObjectName(QStringLiteral("actionUndo"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = session_.History().CreateRedoAction(this);
    redoAction_->setObjectName(QStringLiteral("actionRedo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* a : {undoAction_, redoAction_}) {
        editMenu_->addAction(a);
        addAction(a);
    }
}

// 编辑: copy, paste and bulk changes of a list's rows, after undo, redo and find.
void CEditorDlg::AddListCommands()
{
    auto* commands = new ListCommands(session_, *pages_, this);
    editMenu_->addSeparator();
    for (QAction* a : commands->Actions()) {
        editMenu_->addAction(a);
        addAction(a);
    }
}

// A checkable 文件 item for a save option, remembered across runs under key.
void CEditorDlg::AddRememberedToggle(QMenu* file, const QString& text, const QString& key, bool byDefault,
                                     void (rom::RomDocument::*set)(bool))
{
    const bool on = QSettings().value(key, byDefault).toBool();
    (session_.Document().*set)(on);
    QAction* item = file->addAction(text);
    item->setObjectName(QStringLiteral("action") + key[0].toUpper() + key.mid(1));
    item->setCheckable(true);
    item->setChecked(on);
    connect(item, &QAction::toggled, this, [this, key, set](bool checked) {
        (session_.Document().*set)(checked);
        QSettings().setValue(key, checked);
    });
}

// 文件 → 保存时备份 (on unless turned off) and 保存时修正校验和 (off unless turned on).
void CEditorDlg::AddBackupItem(QMenu* file)
{
    AddRememberedToggle(file, tr("保存时备份(&B)"), QStringLiteral("backupOnSave"), true,
                        &rom::RomDocument::SetBackupOnSave);
    AddRememberedToggle(file, tr("保存时修正校验和(&K)"), QStringLiteral("fixChecksumOnSave"), false,
                        &rom::RomDocument::SetFixChecksumOnSave);
    file->addSeparator();
}

void CEditorDlg::BuildTopRow()
{
    // The client scrolls when the window is smaller than designed, and grows with it when larger.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* client = client_ = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    const DialogUnits du(font());
    client->setMinimumSize(du.Size(kWindowWidth, kWindowHeight));
    client->installEventFilter(this);
    scroll->setWidget(client);
    setCentralWidget(scroll);

    auto* open = new QPushButton(tr("打开"), client);
    open->setObjectName(QStringLiteral("button1001"));
    open->setGeometry(Pixels(du, kOpenButton));
    connect(open, &QPushButton::clicked, this, &CEditorDlg::OnOpen);

    saveButton_ = new QPushButton(tr("保存"), client);
    saveButton_->setObjectName(QStringLiteral("button1003"));
    saveButton_->setGeometry(Pixels(du, kSaveButton));
    connect(saveButton_, &QPushButton::clicked, this, &CEditorDlg::OnSave);

    for (const PageButtonDecl& b : PageButtons()) {
        auto* button = new QPushButton(PageText(b.caption), client);
        button->setObjectName(QStringLiteral("pageButton%1").arg(b.page));
        button->setCheckable(true); // checked while its page is shown
        button->setGeometry(Pixels(du, b.rect));
        const int page = b.page;
        connect(button, &QPushButton::clicked, this, [this, page] { ShowPage(page); });
        pageButtons_[page] = button;
    }

    status_ = new QLabel(client);
    status_->setObjectName(QStringLiteral("status"));
    status_->setGeometry(Pixels(du, kStatusLine));
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    status_->setIndent(du.X(2));
}

void CEditorDlg::SetLoadedState(bool loaded)
{
    const rom::RomDocument& document = session_.Document();
    const bool viewOnly = loaded && document.IsReadOnly();
    UpdateStatusLine();
    saveAction_->setEnabled(loaded && !viewOnly);
    saveButton_->setEnabled(loaded && !viewOnly);
    saveAsAction_->setEnabled(loaded);
    for (QAction* a : sharingActions_)
        a->setEnabled(loaded);
    reviewAction_->setEnabled(loaded);
    UpdateTitle();
    pages_->SetReadOnly(viewOnly);
}

void CEditorDlg::UpdateStatusLine()
{
    const rom::RomDocument& document = session_.Document();
    const bool loaded = session_.IsLoaded();
    const QString path = Q(document.Path());
    QString text = tr("未载入文件");
    if (loaded) {
        text = tr("[文件]%1").arg(path);
        if (!document.Form().header)
            text += u' ' + tr("(无文件头)");
        if (document.IsReadOnly())
            text += u' ' + tr("(只读)");
        if (!document.IsPlausible())
            text += u' ' + tr("(可能不是本游戏的映像)");
    }
    if (session_.Names().UserCount() > 0)
        text += QStringLiteral("  ") + session_.NamesSummary();
    if (loaded && session_.Marks().IsSet())
        text += QStringLiteral("  ") + ReferenceSummary();
    statusText_ = text;
    ShowElided(status_, text);
    status_->setToolTip(loaded ? path : QString());
}

void CEditorDlg::UpdateTitle()
{
    const rom::RomDocument& document = session_.Document();
    const bool modified = session_.IsModified();
    QString title = Caption();
    if (document.IsLoaded()) {
        title += QStringLiteral(" - ") + QFileInfo(Q(document.Path())).fileName();
        if (document.IsReadOnly())
            title += QStringLiteral(" - ") + tr("只读");
        // Qt shows "*" in place of "[*]" while modified and drops it otherwise; the space
        // before the star comes only with it.
        title += modified ? QStringLiteral(" [*]") : QStringLiteral("[*]");
    }
    setWindowTitle(title);
    setWindowModified(modified);
}

bool CEditorDlg::OpenFile(const QString& path, const QString& noteIfRefused)
{
    if (!LoadFile(path, noteIfRefused))
        return false;
    OfferRecoveryRecord();
    return true;
}

bool CEditorDlg::LoadFile(const QString& path, const QString& noteIfRefused)
{
    const rom::Status status = session_.Open(path.toStdString());
    if (!status.ok) {
        prompts_.Tell(this, QMessageBox::Warning, Caption(), Q(status.message) + noteIfRefused);
        return false;
    }
    RememberOpened(path);
    UseRememberedReference();
    ShowOpened(status);
    return true;
}

void CEditorDlg::ShowOpened(const rom::Status& status)
{
    pages_->RefreshAll();
    if (chart_)
        chart_->Reload();
    pages_->RefreshPriceBoxes();
    SetLoadedState(true);
    if (!status.notice.empty()) // an interrupted save was rolled back first
        prompts_.Tell(this, QMessageBox::Information, Caption(), Q(status.notice));
    // Opened all the same (it may be a hacked or damaged image): said once, waiting on nothing.
    if (!session_.Document().IsPlausible())
        prompts_.Notice(this, QMessageBox::Warning, Caption(),
                        Q(rom::ImplausibleNotice(session_.Document().Path())));
}

void CEditorDlg::OnOpen()
{
    widgets::FileQuestion question;
    question.caption = tr("打开");
    question.filter = ImageFilter();
    question.path = OpenDialogFolder();
    const QString path = prompts_.ChooseFile(this, question);
    if (!path.isEmpty() && SettleUnsavedEdits())
        OpenFile(path);
}

void CEditorDlg::OnClose()
{
    if (!session_.IsLoaded() || !SettleUnsavedEdits())
        return;
    session_.Close();
    pages_->RefreshPriceBoxes();
    if (chart_)
        chart_->Reload();
    SetLoadedState(false);
}

void CEditorDlg::OnSave()
{
    if (session_.IsLoaded()) // the command is disabled otherwise; a queued shortcut must not report a failure
        SaveNow();
}

bool CEditorDlg::SaveNow()
{
    rom::Status status = session_.Save();
    if (status.fileChanged && !ResolveChangedFile(status, [this] { return session_.Save(true); }))
        return false;
    if (!status.ok) {
        prompts_.Tell(this, QMessageBox::Critical, Caption(), Q(status.message));
        return false;
    }
    pages_->RepaintLists(); // the saved values are the new baseline: the cell marks go
    prompts_.Tell(this, QMessageBox::Information, Caption(),
                  status.notice.empty() ? Saved() : Saved() + u'\n' + Q(status.notice));
    return true;
}

// The image with its edits goes to a new file, which becomes the open one; the file opened
// before keeps its bytes.
void CEditorDlg::OnSaveAs()
{
    if (!session_.IsLoaded())
        return;
    widgets::FileQuestion question;
    question.mode = widgets::FileQuestion::Save;
    question.caption = tr("另存为");
    question.filter = ImageFilter();
    question.path = Q(session_.Document().Path());
    const QString path = prompts_.ChooseFile(this, question);
    if (path.isEmpty())
        return;
    if (QFileInfo(path) == QFileInfo(Q(session_.Document().Path()))) {
        SaveNow(); // the same file: an ordinary save, with its checks
        return;
    }
    const std::string target = path.toStdString();
    rom::Status status = session_.SaveAs(target);
    if (status.fileChanged && !ResolveChangedFile(status, [&] { return session_.SaveAs(target, true); }))
        return;
    if (!status.ok) {
        prompts_.Tell(this, QMessageBox::Critical, Caption(), tr("未另存：%1").arg(Q(status.message)));
        return;
    }
    RememberOpened(path);
    KeepReference();
    ShowOpened(status);
    prompts_.Tell(this, QMessageBox::Information, Caption(), Saved());
}

bool CEditorDlg::SettleUnsavedEdits()
{
    if (!session_.IsLoaded() || !session_.IsModified())
        return true;
    widgets::Question question;
    question.icon = QMessageBox::Warning;
    question.caption = Caption();
    question.text = tr("是否保存对 %1 的修改？").arg(QFileInfo(Q(session_.Document().Path())).fileName());
    question.buttons = {tr("保存"), tr("不保存"), tr("取消")};
    question.defaultButton = 0;
    question.cancelButton = 2;
    switch (prompts_.Ask(this, question)) {
    case 0: return SaveNow();
    case 1: session_.ForgetUnsavedChanges(); return true;
    default: return false;
    }
}

// Another program changed the file after Open: nothing was written (by Save, or by Save As, whose
// new file would take back the same fields). The user chooses to overwrite it (every field as the window
// shows it, which takes back what the other program changed), to open it again, or to leave it. False when
// nothing more is to be said.
bool CEditorDlg::ResolveChangedFile(rom::Status& status, const std::function<rom::Status()>& overwrite)
{
    const rom::RomDocument& document = session_.Document();
    const QString name = QFileInfo(Q(document.Path())).fileName();
    rom::Bytes now;
    std::string rolledBack;
    const int changed = rom::ReadWholeFile(document.Path(), now, &rolledBack)
                            ? -1
                            : rom::ChangedFields(document.SavedParts(), now);
    widgets::Question question;
    question.icon = QMessageBox::Warning;
    question.caption = Caption();
    question.text = changed > 0
                        ? tr("%1 在打开后已被其他程序修改，改动了 %n 个字段。", nullptr, changed).arg(name)
                        : tr("%1 在打开后已被其他程序修改。").arg(name);
    if (!rolledBack.empty())
        question.text = Q(rolledBack) + u'\n' + question.text;
    question.text += u'\n' + tr("\n覆盖：按窗口中的值写入每个字段，其他程序对这些字段的修改将被撤回。"
                                "\n重新载入：载入文件的新内容，再提供恢复您未保存的修改。"
                                "\n取消：不写入任何内容。");
    question.buttons = {tr("覆盖"), tr("重新载入"), tr("取消")};
    question.defaultButton = 2; // the answer that loses nothing
    question.cancelButton = 2;
    switch (prompts_.Ask(this, question)) {
    case 0: status = overwrite(); return true;
    case 1: ReloadKeepingEdits(); return false;
    default: return false;
    }
}

// Ends the program as the close box does: the program ends with its last window.
void CEditorDlg::OnExit() { close(); }

void CEditorDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) // the pressed face follows another theme
        for (auto& [number, button] : pageButtons_)
            ShowPressed(button, button->isChecked(), palette());
    QMainWindow::changeEvent(event);
}

// The window's icon is read once the window has painted itself: reading it (with the image format
// plugins Qt loads to tell its format) would otherwise come before the first paint.
void CEditorDlg::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (iconAsked_)
        return;
    iconAsked_ = true;
    QMetaObject::invokeMethod(
        this, [this] { setWindowIcon(QIcon(QStringLiteral(":/dravik/icon.png"))); }, Qt::QueuedConnection);
}

void CEditorDlg::closeEvent(QCloseEvent* event)
{
    if (SettleUnsavedEdits())
        event->accept();
    else
        event->ignore();
}

// The user guide installed with the program (or the one of the source tree a build runs from),
// shown in a window of its own; the About box when there is none.
void CEditorDlg::OnUserGuide()
{
    const QString base = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {base + QStringLiteral("/../share/doc/dravik/user-guide.md"),
                                     base + QStringLiteral("/../docs/user-guide.md")}) {
        const QFileInfo guide(candidate);
        if (!guide.isFile())
            continue;
        QDialog dialog(this);
        dialog.setObjectName(QStringLiteral("UserGuide"));
        dialog.setWindowTitle(tr("用户指南"));
        auto* text = new QTextBrowser(&dialog);
        text->setObjectName(QStringLiteral("guideText"));
        text->setOpenExternalLinks(true);
        text->setSource(QUrl::fromLocalFile(guide.absoluteFilePath()), QTextDocument::MarkdownResource);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        dialog.resize(DialogUnits(font()).Size(400, 300));
        prompts_.RunModal(dialog);
        return;
    }
    OnAbout();
}

void CEditorDlg::ShowPage(int page) { pages_->ShowPage(page); }

void CEditorDlg::ShowTableRow(const QString& tableId, int row)
{
    pages_->ShowTableRow(tableId.toStdString(), row);
}

void CEditorDlg::OnBaseConverter()
{
    tools::CBaseConvDlg dialog(this);
    prompts_.RunModal(dialog);
}

ChartPanel* CEditorDlg::OnChart()
{
    if (!chart_)
        chart_ = new ChartLink(session_, *pages_, this);
    const bool made = chart_->Made();
    QString error;
    ChartPanel* panel = chart_->Panel(error);
    if (!panel) {
        prompts_.Tell(this, QMessageBox::Warning, Caption(), tr("图表不可用：%1").arg(error));
        return nullptr;
    }
    QWidget* window = panel->Widget();
    if (!made)
        widgets::PlaceBeside(window); // the list it selects rows in stays in view
    window->show();
    window->raise();
    window->activateWindow();
    return panel;
}

void CEditorDlg::OnAbout()
{
    CAboutDlg dialog(session_.NamesSummary(), this);
    prompts_.RunModal(dialog);
}

void CEditorDlg::OnReviewChanges()
{
    if (!session_.IsLoaded())
        return;
    ChangeReviewDialog dialog(session_.Document().ReviewChanges(), this);
    prompts_.RunModal(dialog);
    if (dialog.HasChosen())
        ShowTableRow(Q(dialog.Chosen().tableId), dialog.Chosen().row);
}

} // namespace dravik::app
