#include "app/DiffDialog.h"

#include "rom/Texts.h"
#include "widgets/Text.h"
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dravik::app {

namespace {
constexpr int kTableIdRole = Qt::UserRole;
constexpr int kRowRole = Qt::UserRole + 1;

using widgets::Q;
using widgets::Title;

QString Offset(uint32_t v) { return QString::asprintf("0x%06X", v); }

QString RunsText(const rom::ImageDiff& d)
{
    if (d.runs.empty())
        return DiffDialog::tr("字段以外没有不同的字节。");
    QStringList runs;
    for (size_t i = 0; i < d.runs.size() && i < rom::kListedRuns; ++i)
        runs << DiffDialog::tr("%1-%2（%n 字节）", nullptr, rom::PluralCount(d.runs[i].length))
                    .arg(Offset(d.runs[i].offset), Offset(d.runs[i].offset + d.runs[i].length - 1));
    return Q(rom::RunsSummary(d, true)) + runs.join(DiffDialog::tr("、")) + Q(rom::RunsNotListed(d));
}
} // namespace

DiffDialog::DiffDialog(const rom::ImageDiff& diff, const QString& thisFile, const QString& otherFile,
                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DiffDialog"));
    setWindowTitle(tr("与其他映像比较 - %1").arg(QFileInfo(otherFile).fileName()));
    auto* layout = new QVBoxLayout(this);

    QStringList notes;
    notes << tr("本文件：%1\n其他文件：%2").arg(thisFile, otherFile);
    if (!diff.SameSize())
        notes << tr("大小不同：本文件 %1 字节，其他文件 %2 字节；比较两者都有的字段和字节。")
                     .arg(diff.sizeA)
                     .arg(diff.sizeB);
    if (diff.formA.header != diff.formB.header)
        notes << (diff.formA.header ? tr("只有本文件有复制器文件头：按数据表的位置对齐比较。")
                                    : tr("只有其他文件有复制器文件头：按数据表的位置对齐比较。"));
    notes << (diff.Identical() ? tr("两个映像完全相同。")
                               : tr("字段差异 %n 处（双击一行可在主窗口中显示）。", nullptr,
                                    static_cast<int>(diff.fields.size())));
    auto* summary = new QLabel(notes.join('\n'), this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary);

    auto* list = new QTableWidget(static_cast<int>(diff.fields.size()), 5, this);
    list->setObjectName(QStringLiteral("diffList"));
    list->setHorizontalHeaderLabels({tr("表"), tr("行"), tr("列"), tr("本文件"), tr("其他文件")});
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->verticalHeader()->setVisible(false);
    for (int i = 0; i < list->rowCount(); ++i) {
        const rom::FieldChange& f = diff.fields[static_cast<size_t>(i)];
        const QString column = f.storedOnly ? tr("%1（存储的位）").arg(Title(f.column)) : Title(f.column);
        const QStringList cells = {Title(f.tableTitle),
                                   QStringLiteral("%1 %2").arg(f.row + 1).arg(Q(f.rowLabel)), column,
                                   Q(f.before), Q(f.after)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(kTableIdRole, Q(f.tableId));
            item->setData(kRowRole, f.row);
            list->setItem(i, c, item);
        }
    }
    list->resizeColumnsToContents();
    list->horizontalHeader()->setStretchLastSection(true);
    connect(list, &QTableWidget::itemDoubleClicked, this, [this](QTableWidgetItem* item) {
        emit FieldChosen(item->data(kTableIdRole).toString(), item->data(kRowRole).toInt());
    });
    layout->addWidget(list, 1);

    // At least a dozen fields in view, or half the screen when that is less (a large scale factor):
    // the window must fit on the screen with its Close button. The byte runs outside fields scroll
    // in a few lines of their own.
    const int dozen = list->horizontalHeader()->sizeHint().height() +
                      12 * list->verticalHeader()->defaultSectionSize() + 2 * list->frameWidth();
    const QScreen* screen = parent ? parent->screen() : this->screen();
    list->setMinimumHeight(screen ? std::min(dozen, screen->availableGeometry().height() / 2) : dozen);
    auto* runs = new QLabel(RunsText(diff));
    runs->setObjectName(QStringLiteral("runs"));
    runs->setWordWrap(true);
    runs->setTextInteractionFlags(Qt::TextSelectableByMouse);
    runs->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* runsArea = new QScrollArea(this);
    runsArea->setFrameShape(QFrame::NoFrame);
    runsArea->setWidgetResizable(true);
    runsArea->setWidget(runs);
    runsArea->setMaximumHeight(4 * runs->fontMetrics().lineSpacing() + 4);
    layout->addWidget(runsArea);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 480);
}

} // namespace dravik::app
