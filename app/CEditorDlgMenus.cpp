// The window's menu bar: 文件, 编辑, 视窗, 工具, 语言 and 帮助 with their keys, the actions the
// window keeps enabled or disabled by its state, and the save options remembered across runs.
#include <QAction>
#include <QMenuBar>
#include <QSettings>

#include "app/CEditorDlg.h"
#include "app/EditHistory.h"
#include "app/LanguageMenu.h"
#include "app/ListCommands.h"
#include "app/NameSetPicker.h"
#include "app/PageArea.h"
#include "app/PageLayout.h"
#include "app/RecentFiles.h"
#include "app/ReferencePicker.h"
#include "app/Sharing.h"

namespace dravik::app {

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
    recent_->AddItems(file);
    file->addSeparator();
    saveAction_ = add(file, "actionSave", tr("保存(&S)\tCtrl+S"), QKeySequence(Qt::CTRL | Qt::Key_S),
                      &CEditorDlg::OnSave);
    saveAsAction_ = add(file, "actionSaveAs", tr("另存为(&A)…\tCtrl+Shift+S"),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &CEditorDlg::OnSaveAs);
    reviewAction_ = add(file, "actionReview", tr("查看修改(&D)\tCtrl+D"), QKeySequence(Qt::CTRL | Qt::Key_D),
                        &CEditorDlg::OnReviewChanges);
    file->addSeparator();
    sharing_->AddItems(file);
    reference_->AddItems(file);
    nameSets_->AddItems(file);
    AddBackupItem(file);
    add(file, "actionExit", tr("退出(&E)\tCtrl+Q"), QKeySequence(Qt::CTRL | Qt::Key_Q), &CEditorDlg::OnExit);

    BuildEditMenu(); // find and the list commands follow once the pages are there

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
    listCommands_ = new ListCommands(session_, *pages_, this);
    editMenu_->addSeparator();
    for (QAction* a : listCommands_->Actions()) {
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

} // namespace dravik::app
