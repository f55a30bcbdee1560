#include "app/CEditorDlg.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTableView>

#include <algorithm>

#include "app/CAboutDlg.h"
#include "app/ChangeReviewDialog.h"
#include "app/ChartLink.h"
#include "app/EditHistory.h"
#include "app/FileDrops.h"
#include "app/FindCommands.h"
#include "app/ListCommands.h"
#include "app/NameSetPicker.h"
#include "app/PageArea.h"
#include "app/PageLayout.h"
#include "app/RecentFiles.h"
#include "app/RecoveryOffer.h"
#include "app/ReferencePicker.h"
#include "app/Resources.h"
#include "app/Sharing.h"
#include "app/UserGuide.h"
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
    // The edits are no longer kept against a crash: said beside the work, waiting on nothing.
    connect(&session_, &Session::RecoveryWriteFailed, this, [this](const QString& reason) {
        prompts_.Notice(this, QMessageBox::Warning, Caption(), tr("无法写入恢复记录：%1").arg(reason));
    });
    connect(&session_, &Session::NamesChanged, this, &CEditorDlg::Relabel);
    connect(&session_, &Session::Changed, this, [this] {
        if (session_.Marks().IsSet())
            UpdateStatusLine(); // the count of cells that differ from the reference
    });
    connect(&session_, &Session::ReferenceChanged, this, &CEditorDlg::UpdateStatusLine);
    // Undo and redo never change a value out of sight.
    connect(&session_.History(), &EditHistory::StepReplayed, this, &CEditorDlg::ShowTableRow);

    recent_ = new RecentFiles(
        this, [this](const QString& path, const QString& note) { return OpenAsked(path, note); });
    reference_ = new ReferencePicker(session_, prompts_, this, [this] { return recent_->OpenFolder(); });
    sharing_ = new Sharing(session_, prompts_, this);
    nameSets_ = new NameSetPicker(session_, prompts_, this);
    recovery_ = new RecoveryOffer(session_, prompts_, this);
    connect(sharing_, &Sharing::FieldChosen, this, &CEditorDlg::ShowTableRow);
    BuildMenu();
    BuildTopRow();
    pages_ = new PageArea(session_, client_, this);
    pages_->PassKeys({undoAction_, redoAction_});
    connect(pages_, &PageArea::PageShown, this, [this](int page) {
        for (auto& [number, button] : pageButtons_)
            ShowPressed(button, number == page, palette());
    });
    connect(pages_, &PageArea::PageMade, this, &CEditorDlg::WirePage);
    finding_ = new FindCommands(session_, *pages_, this);
    finding_->AddItems(editMenu_);
    AddListCommands();
    fileDrops_ = new FileDrops(this, [this](const QString& path) { OpenAsked(path); });
    SetLoadedState(false);
    ShowPage(0);
    resize(StartSize());
}

bool CEditorDlg::UseReference(const QString& path) { return reference_->Use(path); }

void CEditorDlg::WirePage(QWidget* page)
{
    finding_->WirePage(page, listCommands_->Actions());
    fileDrops_->Watch(page);
}

bool CEditorDlg::OpenAsked(const QString& path, const QString& noteIfRefused)
{
    bool drop = false;
    return !SettleUnsavedEdits(&drop) || OpenFile(path, noteIfRefused, drop);
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

void CEditorDlg::Relabel()
{
    pages_->RefreshAll();
    SetLoadedState(session_.IsLoaded()); // the status line names the set
}

void CEditorDlg::SetLoadedState(bool loaded)
{
    const rom::RomDocument& document = session_.Document();
    const bool viewOnly = loaded && document.IsReadOnly();
    UpdateStatusLine();
    saveAction_->setEnabled(loaded && !viewOnly);
    saveButton_->setEnabled(loaded && !viewOnly);
    saveAsAction_->setEnabled(loaded);
    sharing_->SetEnabled(loaded);
    reviewAction_->setEnabled(loaded);
    UpdateTitle();
    pages_->SetReadOnly(viewOnly);
    pages_->SetLoaded(loaded);
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
        text += QStringLiteral("  ") + reference_->Summary();
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

// The user guide, or the About box when there is none.
void CEditorDlg::OnUserGuide()
{
    if (!ShowUserGuide(this, prompts_))
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
