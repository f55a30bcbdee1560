#include "app/CEditorDlg.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <future>

#include "app/CAboutDlg.h"
#include "app/ChangeReviewDialog.h"
#include "app/EditHistory.h"
#include "app/PageLayout.h"
#include "app/Resources.h"
#include "app/TableModel.h"
#include "editors/RowEditing.h"
#include "names/NameSet.h"
#include "tools/CBaseConvDlg.h"
#include "widgets/DialogUnits.h"
#include "widgets/LineBox.h"
#include "widgets/MeasuredDelegate.h"
#include "widgets/Prompts.h"
#include "widgets/StaticText.h"

namespace dravik::app {

using widgets::DialogUnits;
using widgets::LineBox;
using widgets::Prompts;

namespace {

const char* const kCaption = "Dravik静态修改器";
const char* const kNoFile = "未载入文件";
const char* const kFilePrefix = "[文件]";
const char* const kNoHeader = " (无文件头)";
const char* const kReadOnly = " (只读)";
const char* const kReadOnlyTitle = " - 只读";
const char* const kSaved = "保存成功!\t";

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }

QRect Pixels(const DialogUnits& du, const DuRect& r) { return du.Rect(r.x, r.y, r.width, r.height); }

// A page's controls are children of the page, which starts at the page area's corner.
QRect PagePixels(const DialogUnits& du, const DuRect& r)
{
    return Pixels(du, r).translated(-du.X(kPageArea.x), -du.Y(kPageArea.y));
}

// The list style: full-row selection of one row, grid lines, selection kept visible when the
// list loses the focus, no sorting and no editing in place.
// The widths of a list's columns in column order; 0 for a column without one.
std::vector<int> WidthsByColumn(const rom::TableLayout& layout, const std::vector<ColumnWidth>& keyed)
{
    std::vector<int> widths(layout.columns.size(), 0);
    for (const ColumnWidth& w : keyed) {
        const int column = layout.Column(w.key);
        if (column >= 0 && column < static_cast<int>(widths.size()))
            widths[static_cast<size_t>(column)] = w.width;
    }
    return widths;
}

void StyleList(QTableView* view, const std::vector<int>& widths, const DialogUnits& du)
{
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false);
    // Every Open fits the name columns to their entries again: each text is laid out only once.
    view->setItemDelegate(new widgets::MeasuredDelegate(view));
    view->setShowGrid(true);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setTabKeyNavigation(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);

    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 3);

    // Widths are given for an average character of 6 pixels; they grow with the font like the
    // rest of the window, and never so little that a column title is cut.
    QHeaderView* columns = view->horizontalHeader();
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setSectionsMovable(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QFontMetrics fm(columns->font());
    const int margin = 2 * columns->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, columns) + 4;
    const int scale1000 = du.X(4000) / 6; // average character width / 6, in thousandths
    for (int c = 0; c < view->model()->columnCount() && c < static_cast<int>(widths.size()); ++c) {
        const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
        const int width = (widths[static_cast<size_t>(c)] * scale1000 + 500) / 1000;
        columns->resizeSection(c, std::max(width, fm.horizontalAdvance(title) + margin));
    }
}

// Columns that show names grow to their longest entry as far as the list allows: a list built
// to scroll sideways (its columns but the last already wider than the list) lets each grow up to
// the list's width; any other list only into its unused width, so that its last column stays in
// view. What still does not fit is read in the cell's tool tip.
void FitNameColumns(QTableView* view, const rom::Table& table)
{
    QHeaderView* header = view->horizontalHeader();
    int used = 0;
    for (int c = 0; c < table.Columns(); ++c)
        used += header->sectionSize(c);
    const bool scrollsDown = table.Rows() * view->verticalHeader()->defaultSectionSize() + header->height() >
                             view->maximumViewportSize().height();
    const int room =
        view->maximumViewportSize().width() -
        (scrollsDown ? view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view) : 0);
    const bool scrollsSideways = used - header->sectionSize(table.Columns() - 1) > room;
    const std::vector<int> values = table.Layout().ValueColumns();
    for (int c = 0; c < table.Columns(); ++c) {
        if (std::find(values.begin(), values.end(), c) != values.end())
            continue;
        const int width = header->sectionSize(c);
        const int most = scrollsSideways ? room : width + room - used;
        if (most <= width)
            continue; // no room to grow into: nothing to measure
        // The item delegate's own measure of the column's entries, margins and grid line included.
        const int needed = static_cast<QAbstractItemView*>(view)->sizeHintForColumn(c);
        const int grow = std::min(needed, most) - width;
        if (grow > 0) {
            header->resizeSection(c, width + grow);
            used += grow;
        }
    }
}

// A row's keys on a list: Enter (and F2 where it opens an editor) act on the current row as a
// click or double-click does. The key stops here, so it never reaches the window.
class RowKeys : public QObject {
public:
    RowKeys(QTableView* view, bool withF2, std::function<void()> act)
        : QObject(view), withF2_(withF2), act_(std::move(act))
    {
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool f2 = withF2_ && key->key() == Qt::Key_F2;
        if ((!enter && !f2) || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!key->isAutoRepeat())
            act_();
        return true;
    }

private:
    bool withF2_;
    std::function<void()> act_;
};

// The status line keeps the start of its text and the file name of a long path, cutting the
// middle ("[文件]/home/…/game.smc"); its tool tip has the whole path.
void ShowElided(QLabel* label, const QString& text)
{
    const int room = label->contentsRect().width() - 2 * std::max(label->indent(), 0);
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
}

} // namespace

CEditorDlg::CEditorDlg(QWidget* parent) : CEditorDlg(Prompts::Dialogs(), parent) {}

CEditorDlg::CEditorDlg(Prompts& prompts, QWidget* parent) : QMainWindow(parent), prompts_(prompts)
{
    Prompts::Give(this, &prompts); // the row editors and tools ask through the window's
    EnsureResources();
    setObjectName(QStringLiteral("CEditorDlg"));
    setWindowTitle(Q(kCaption));
    setWindowIcon(QIcon(QStringLiteral(":/dravik/icon.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(widgets::EditorFont());

    history_ = new EditHistory(document_, this);
    connect(history_, &EditHistory::ModifiedChanged, this, &CEditorDlg::UpdateTitle);
    document_.Subscribe([this](const rom::Change& change) { OnDocumentChanged(change); });
    recovery_.SetFolder(DefaultRecoveryFolder().toStdString());
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(0);
    connect(recoveryTimer_, &QTimer::timeout, this, &CEditorDlg::WriteRecoveryNow);

    BuildMenu();
    BuildTopRow();
    BuildPages();
    AcceptFileDrops();
    SetLoadedState(false);
    ShowPage(0);
    setFixedSize(sizeHint());
}

CEditorDlg::~CEditorDlg()
{
    FlushRecoveryWrite(); // the last change's record may still be to write
    // The document (a member) goes before the child widgets: a visible list being torn down
    // would still ask its model for headers over freed tables, and the history would still
    // point at it. Detach the lists and drop the history first.
    for (auto& [id, view] : lists_)
        view->setModel(nullptr);
    delete history_;
    history_ = nullptr;
    delete takeCentralWidget();
}

void CEditorDlg::BuildMenu()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const char* text, QKeySequence key, auto slot) {
        QAction* a = menu->addAction(Q(text));
        a->setObjectName(Q(name));
        // The label already shows the key after its tab; the shortcut makes it work.
        if (!key.isEmpty())
            a->setShortcut(key);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = bar->addMenu(QStringLiteral("文件(&F)"));
    add(file, "actionOpen", "打开(&O)\tCtrl+O", QKeySequence(Qt::CTRL | Qt::Key_O), &CEditorDlg::OnOpen);
    add(file, "actionClose", "关闭(&C)", {}, &CEditorDlg::OnClose);
    AddRecentItems(file);
    file->addSeparator();
    saveAction_ =
        add(file, "actionSave", "保存(&S)\tCtrl+S", QKeySequence(Qt::CTRL | Qt::Key_S), &CEditorDlg::OnSave);
    reviewAction_ = add(file, "actionReview", "查看修改(&D)\tCtrl+D", QKeySequence(Qt::CTRL | Qt::Key_D),
                        &CEditorDlg::OnReviewChanges);
    file->addSeparator();
    AddSharingItems(file);
    AddNameItems(file);
    AddBackupItem(file);
    add(file, "actionExit", "退出(&E)\tAlt+F4", QKeySequence(Qt::ALT | Qt::Key_F4), &CEditorDlg::OnExit);

    BuildEditMenu();
    AddFindItems();

    QMenu* window = bar->addMenu(QStringLiteral("视窗(&W)"));
    for (const PageButtonDecl& b : PageButtons()) {
        QAction* a = window->addAction(Q(b.menuCaption));
        a->setObjectName(QStringLiteral("actionPage%1").arg(b.page));
        const int page = b.page;
        connect(a, &QAction::triggered, this, [this, page] { ShowPage(page); });
    }

    QMenu* tools = bar->addMenu(QStringLiteral("工具(&T)"));
    add(tools, "actionBaseConverter", "进制转换(&F)\tCtrl+F", QKeySequence(Qt::CTRL | Qt::Key_F),
        &CEditorDlg::OnBaseConverter);
    QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
    add(help, "actionAbout", "关于(&A)\tCtrl+A", QKeySequence(Qt::CTRL | Qt::Key_A), &CEditorDlg::OnAbout);
}

// 编辑: undo and redo, named after the step they take back or take again.
void CEditorDlg::BuildEditMenu()
{
    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    undoAction_ = history_->CreateUndoAction(this);
    undoAction_->setObjectName(QStringLiteral("actionUndo"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = history_->CreateRedoAction(this);
    redoAction_->setObjectName(QStringLiteral("actionRedo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* a : {undoAction_, redoAction_}) {
        edit->addAction(a);
        addAction(a);
    }
}

// 文件 → 保存时备份: remembered across runs, on unless the user turned it off.
void CEditorDlg::AddBackupItem(QMenu* file)
{
    const bool on = QSettings().value(QStringLiteral("backupOnSave"), true).toBool();
    document_.SetBackupOnSave(on);
    QAction* backup = file->addAction(QStringLiteral("保存时备份(&B)"));
    backup->setObjectName(QStringLiteral("actionBackupOnSave"));
    backup->setCheckable(true);
    backup->setChecked(on);
    connect(backup, &QAction::toggled, this, [this](bool checked) {
        document_.SetBackupOnSave(checked);
        QSettings().setValue(QStringLiteral("backupOnSave"), checked);
    });
    file->addSeparator();
}

void CEditorDlg::BuildTopRow()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    const DialogUnits du(font());
    client->setFixedSize(du.Size(kWindowWidth, kWindowHeight));

    auto* open = new QPushButton(QStringLiteral("打开"), client);
    open->setObjectName(QStringLiteral("button1001"));
    open->setGeometry(Pixels(du, kOpenButton));
    connect(open, &QPushButton::clicked, this, &CEditorDlg::OnOpen);

    saveButton_ = new QPushButton(QStringLiteral("保存"), client);
    saveButton_->setObjectName(QStringLiteral("button1003"));
    saveButton_->setGeometry(Pixels(du, kSaveButton));
    connect(saveButton_, &QPushButton::clicked, this, &CEditorDlg::OnSave);

    for (const PageButtonDecl& b : PageButtons()) {
        auto* button = new QPushButton(Q(b.caption), client);
        button->setObjectName(QStringLiteral("pageButton%1").arg(b.page));
        button->setCheckable(true); // checked while its page is shown
        button->setGeometry(Pixels(du, b.rect));
        const int page = b.page;
        connect(button, &QPushButton::clicked, this, [this, page] { ShowPage(page); });
    }

    status_ = new QLabel(client);
    status_->setObjectName(QStringLiteral("status"));
    status_->setGeometry(Pixels(du, kStatusLine));
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    status_->setIndent(du.X(2));
}

void CEditorDlg::BuildPages()
{
    QWidget* client = centralWidget();
    const DialogUnits du(font());
    const QRect area = Pixels(du, kPageArea);

    // The frame around the page area is always there; the pages lie on it and let it show
    // wherever they have no control.
    auto* frame = new QFrame(client);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(area);

    pages_ = new QStackedWidget(client);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->setGeometry(area);

    // Decoding and scaling the background takes about as long as building the lists: it is done
    // on another core meanwhile (QImage may be used outside the window's thread) and put in place
    // at the end.
    std::future<QImage> background = std::async(std::launch::async, [size = area.size()] {
        return QImage(QStringLiteral(":/dravik/background.png"))
            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("picture1000"));
    pages_->addWidget(picture);

    std::vector<QWidget*> pages;
    for (int n = 1; n <= kPageCount; ++n) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("page%1").arg(n));
        pages_->addWidget(page);
        pages.push_back(page);
    }

    rom::Model& model = document_.GetModel();
    for (const PageControl& c : PageControls()) {
        QWidget* page = pages[static_cast<size_t>(c.page - 1)];
        const QRect r = PagePixels(du, c.rect);
        QWidget* w = nullptr;
        switch (c.kind) {
        case PageControlKind::List: {
            auto* view = new QTableView(page);
            auto* tableModel = new TableModel(model.Get(c.table), view);
            view->setModel(tableModel);
            view->setObjectName(QStringLiteral("list%1").arg(c.id));
            StyleList(view, WidthsByColumn(tableModel->Table().Layout(), ColumnWidths(c.id)), du);
            lists_[c.id] = view;
            models_[c.id] = tableModel;
            if (editors::HasRowEditor(c.table))
                WireRowEditor(c.id);
            WireReferences(c.id);
            w = view;
            break;
        }
        case PageControlKind::Edit: {
            auto* box = new LineBox(page);
            box->setObjectName(QStringLiteral("edit%1").arg(c.id));
            boxes_[c.id] = box;
            if (*c.table) {
                const std::string table = c.table;
                const int row = c.row;
                // Typing is one step per box until the focus leaves it.
                connect(box, &QLineEdit::textChanged, this, [this, box, table, row] {
                    if (document_.IsLoaded() && !document_.IsReadOnly())
                        history_->Type(rom::Edit(table).SetCell(row, 1, box->Text().toStdString()),
                                       EditText(document_.GetModel().Get(table), row));
                });
                box->installEventFilter(this);
            }
            w = box;
            break;
        }
        case PageControlKind::Button: {
            auto* button = new QPushButton(Q(c.caption), page);
            button->setObjectName(QStringLiteral("button%1").arg(c.id));
            w = button;
            break;
        }
        case PageControlKind::Group: {
            auto* group = new QGroupBox(Q(c.caption), page);
            group->setObjectName(QStringLiteral("group%1").arg(c.id));
            w = group;
            break;
        }
        case PageControlKind::Static: {
            auto* label = new widgets::StaticText(Q(c.caption), du.Y(8), page);
            label->setObjectName(QStringLiteral("static%1").arg(c.id));
            w = label;
            break;
        }
        }
        w->setGeometry(r);
    }

    for (const PriceEditorDecl& e : PriceEditors())
        WirePriceEditor(e);
    for (auto& [id, view] : lists_)
        unfitted_.insert(id); // fitted when their page is first shown
    picture->setPixmap(QPixmap::fromImage(background.get()));
}

void CEditorDlg::WirePriceEditor(const PriceEditorDecl& e)
{
    QTableView* view = lists_.at(e.list);
    auto* button = centralWidget()->findChild<QPushButton*>(QStringLiteral("button%1").arg(e.button));
    const int list = e.list;
    const int edit = e.edit;
    // Only a click refreshes the box; moving the selection with the keys leaves it as it is.
    connect(view, &QAbstractItemView::clicked, this, [this, list, edit] { OnPriceRowClicked(list, edit); });
    new RowKeys(view, false, [this, list, edit] { OnPriceRowClicked(list, edit); });
    connect(button, &QPushButton::clicked, this, [this, list, edit] { OnPriceApply(list, edit); });
}

void CEditorDlg::WireRowEditor(int listId)
{
    connect(lists_.at(listId), &QAbstractItemView::doubleClicked, this,
            [this, listId] { OnRowDoubleClicked(listId); });
    new RowKeys(lists_.at(listId), true, [this, listId] { OnRowDoubleClicked(listId); });
}

int CEditorDlg::SelectedRow(int listId) const
{
    const QModelIndexList rows = lists_.at(listId)->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CEditorDlg::SetLoadedState(bool loaded)
{
    const QString path = Q(document_.Path());
    const bool viewOnly = loaded && document_.IsReadOnly();
    QString text = Q(kNoFile);
    if (loaded)
        text = Q(kFilePrefix) + path + (document_.Form().header ? QString() : Q(kNoHeader)) +
               (viewOnly ? Q(kReadOnly) : QString());
    if (names::Active().UserCount() > 0)
        text += QStringLiteral("  ") + NamesSummary();
    ShowElided(status_, text);
    status_->setToolTip(loaded ? path : QString());
    saveAction_->setEnabled(loaded && !viewOnly);
    saveButton_->setEnabled(loaded && !viewOnly);
    for (QAction* a : sharingActions_)
        a->setEnabled(loaded);
    reviewAction_->setEnabled(loaded);
    SetViewOnly(viewOnly);
}

// A read-only image is shown in full, but nothing in the window can change its values.
void CEditorDlg::SetViewOnly(bool viewOnly)
{
    UpdateTitle();
    for (auto& [id, box] : boxes_)
        box->setReadOnly(viewOnly);
    for (const PriceEditorDecl& e : PriceEditors())
        centralWidget()
            ->findChild<QPushButton*>(QStringLiteral("button%1").arg(e.button))
            ->setEnabled(!viewOnly);
}

void CEditorDlg::RefreshAll()
{
    for (auto& [id, m] : models_) {
        m->RefreshAll();
        unfitted_.insert(id); // the names shown may have changed
    }
    FitNameColumnsOn(pages_->currentWidget());
    RefreshBoundBoxes();
}

// Fitting a list measures every name in it, so a list on a hidden page is fitted only when its
// page is about to be shown: an Open pays for the page in view, not for all seven.
void CEditorDlg::FitNameColumnsOn(const QWidget* page)
{
    for (auto it = unfitted_.begin(); it != unfitted_.end();) {
        QTableView* view = lists_.at(*it);
        if (page && page->isAncestorOf(view)) {
            FitNameColumns(view, models_.at(*it)->Table());
            it = unfitted_.erase(it);
        } else {
            ++it;
        }
    }
}

void CEditorDlg::RefreshBoundBoxes()
{
    for (const PageControl& c : PageControls())
        if (c.kind == PageControlKind::Edit && *c.table)
            boxes_.at(c.id)->SetText(Q(document_.GetModel().Get(c.table).Cell(c.row, 1)));
}

bool CEditorDlg::OpenFile(const QString& path, const QString& noteIfRefused)
{
    if (!LoadFile(path, noteIfRefused))
        return false;
    OfferRecoveryRecord();
    return true;
}

// Open without looking for a recovery record. False (and a message) on failure, which changes
// nothing.
bool CEditorDlg::LoadFile(const QString& path, const QString& noteIfRefused)
{
    // The record of the changes made so far is written before the document is replaced: it is
    // the file being left (or this same file, to be offered back).
    FlushRecoveryWrite();
    const rom::Status status = document_.Open(path.toStdString());
    if (!status.ok) {
        prompts_.Tell(this, QMessageBox::Warning, Q(kCaption), Q(status.message) + noteIfRefused);
        return false;
    }
    RememberOpened(path);
    history_->Clear();
    recovery_.Reset();
    RefreshAll();
    SetLoadedState(true);
    if (!status.notice.empty()) // an interrupted save was rolled back first
        prompts_.Tell(this, QMessageBox::Information, Q(kCaption), Q(status.notice));
    return true;
}

void CEditorDlg::OnOpen()
{
    widgets::FileQuestion question;
    question.caption = QStringLiteral("打开");
    question.filter = QStringLiteral("SMC File (*.smc);;所有文件 (*)");
    question.path = OpenDialogFolder();
    const QString path = prompts_.ChooseFile(this, question);
    if (!path.isEmpty())
        OpenFile(path);
}

void CEditorDlg::OnClose()
{
    FlushRecoveryWrite(); // Close does not ask: the unsaved changes stay in the record
    document_.Close();
    history_->Clear();
    SetLoadedState(false);
}

void CEditorDlg::OnSave()
{
    if (!document_.IsLoaded())
        return; // the command is disabled then; a queued shortcut must not report a failure
    rom::Status status = document_.Save();
    if (status.fileChanged && !ResolveChangedFile(status))
        return;
    if (status.ok) {
        // The saved values are the new baseline: the cell marks go, and so does the record.
        history_->MarkSaved();
        recovery_.Reset();
        WriteRecoveryNow();
        for (auto& [id, m] : models_)
            m->RefreshAll();
        prompts_.Tell(this, QMessageBox::Information, Q(kCaption), Q(kSaved));
    } else {
        prompts_.Tell(this, QMessageBox::Critical, Q(kCaption), Q(status.message));
    }
}

// Another program changed the file after Open: nothing was written. The user chooses to
// overwrite it (every field as the window shows it), to open it again, or to leave it. False
// when nothing more is to be said.
bool CEditorDlg::ResolveChangedFile(rom::Status& status)
{
    widgets::Question question;
    question.icon = QMessageBox::Warning;
    question.caption = Q(kCaption);
    question.text = Q(rom::RomDocument::kChangedOnDisk);
    question.buttons = {QStringLiteral("覆盖"), QStringLiteral("重新载入"), QStringLiteral("取消")};
    question.defaultButton = 2; // the answer that loses nothing
    question.cancelButton = 2;
    switch (prompts_.Ask(this, question)) {
    case 0: status = document_.Save(true); return true;
    case 1: ReloadKeepingEdits(); return false;
    default: return false;
    }
}

// Ends the program without asking, as the close box does: the program ends with its last
// window. Saved bytes are already in the file; nothing else is held open.
void CEditorDlg::OnExit() { close(); }

void CEditorDlg::ShowPage(int page)
{
    if (page < 0 || page > kPageCount)
        return;
    FitNameColumnsOn(pages_->widget(page)); // before the page is shown with its old widths
    pages_->setCurrentIndex(page);
    for (const PageButtonDecl& b : PageButtons())
        if (auto* button =
                centralWidget()->findChild<QPushButton*>(QStringLiteral("pageButton%1").arg(b.page)))
            button->setChecked(b.page == page);
}

void CEditorDlg::OnBaseConverter()
{
    tools::CBaseConvDlg dialog(this);
    prompts_.RunModal(dialog);
}

void CEditorDlg::OnAbout()
{
    CAboutDlg dialog(this);
    prompts_.RunModal(dialog);
}

void CEditorDlg::OnPriceRowClicked(int listId, int editId)
{
    const int row = SelectedRow(listId);
    if (row < 0 || !document_.IsLoaded())
        return;
    boxes_.at(editId)->SetText(Q(models_.at(listId)->Table().Cell(row, 1)));
}

void CEditorDlg::OnPriceApply(int listId, int editId)
{
    const int row = SelectedRow(listId);
    if (row < 0 || !document_.IsLoaded() || document_.IsReadOnly())
        return;
    ApplyEdit(
        rom::Edit(models_.at(listId)->Table().Id()).SetCell(row, 1, boxes_.at(editId)->Text().toStdString()),
        row);
}

void CEditorDlg::OnRowDoubleClicked(int listId)
{
    const int row = SelectedRow(listId);
    if (row < 0 || !document_.IsLoaded())
        return;
    const std::optional<rom::Edit> edit = editors::EditRow(this, models_.at(listId)->Table(), row);
    // A view-only image shows the row in its editor; whatever "确定" asks for is dropped.
    if (edit && !document_.IsReadOnly())
        ApplyEdit(*edit, row);
}

void CEditorDlg::ApplyEdit(const rom::Edit& edit, int row)
{
    if (const rom::Table* table = document_.GetModel().Find(edit.TableId()))
        history_->Apply(edit, EditText(*table, row));
}

// Every change of the document, whoever made it (an edit, undo, redo, a recovery): the lists
// repaint exactly the changed cells, the bound boxes follow their cells, and the recovery
// record follows the unsaved changes.
void CEditorDlg::OnDocumentChanged(const rom::Change& change)
{
    for (auto& [id, m] : models_)
        if (m->Table().Id() == change.tableId)
            m->Changed(change);
    for (const PageControl& c : PageControls()) {
        if (c.kind != PageControlKind::Edit || change.tableId != c.table)
            continue;
        const QString text = Q(document_.GetModel().Get(c.table).Cell(c.row, 1));
        if (boxes_.at(c.id)->Text() != text)
            boxes_.at(c.id)->SetText(text);
    }
    ScheduleRecoveryWrite();
}

void CEditorDlg::UpdateTitle()
{
    QString title = Q(kCaption);
    if (document_.IsLoaded()) {
        title += QStringLiteral(" - ") + QFileInfo(Q(document_.Path())).fileName();
        if (document_.IsReadOnly())
            title += Q(kReadOnlyTitle);
        // Qt shows "*" in place of "[*]" while modified and drops it otherwise; the space
        // before the star comes only with it.
        title += history_->IsModified() ? QStringLiteral(" [*]") : QStringLiteral("[*]");
    }
    setWindowTitle(title);
    setWindowModified(history_->IsModified());
}

void CEditorDlg::SetRecoveryFolder(const QString& folder) { recovery_.SetFolder(folder.toStdString()); }

QString CEditorDlg::DefaultRecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

void CEditorDlg::OnReviewChanges()
{
    if (!document_.IsLoaded())
        return;
    ChangeReviewDialog dialog(document_.ReviewChanges(), this);
    prompts_.RunModal(dialog);
    if (dialog.HasChosen())
        ShowTableRow(Q(dialog.Chosen().tableId), dialog.Chosen().row);
}

bool CEditorDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (!history_) // torn down: the boxes lose their focus as they go
        return false;
    if (event->type() == QEvent::FocusOut) {
        history_->EndTyping();
    } else if (event->type() == QEvent::ShortcutOverride) {
        // The boxes' own undo would take Ctrl+Z from the window's: the history undoes typing too.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* a : {undoAction_, redoAction_})
            if (a->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace dravik::app
