#include "app/ChangeReviewDialog.h"

#include "widgets/Text.h"
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dravik::app {

namespace {
using widgets::Q;
using widgets::Title;

// What the save would write, as the command line's review says it, without its indent.
QString BytesText(const rom::Review& review)
{
    QStringList lines;
    for (const std::string& line : review.SaveLines())
        lines << Q(line).trimmed();
    return lines.join(QLatin1Char('\n'));
}
} // namespace

ChangeReviewDialog::ChangeReviewDialog(const rom::Review& review, QWidget* parent)
    : ChangeReviewDialog(review, QString(), parent)
{
}

ChangeReviewDialog::ChangeReviewDialog(const rom::Review& review, const QString& question, QWidget* parent)
    : QDialog(parent), review_(review)
{
    setObjectName(QStringLiteral("ChangeReviewDialog"));
    setWindowTitle(tr("查看修改"));
    auto* layout = new QVBoxLayout(this);

    auto* summary = new QLabel(
        review_.entries.empty() ? tr("自上次打开或保存以来没有修改。")
                                : tr("自上次打开或保存以来修改了 %n 处（双击一项或按回车可转到它所在的行）：",
                                     nullptr, static_cast<int>(review_.entries.size())),
        this);
    if (!question.isEmpty())
        summary->setText(question);
    summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(summary);

    auto* fields = new QTableWidget(static_cast<int>(review_.entries.size()), 5, this);
    fields->setObjectName(QStringLiteral("fields"));
    fields->setHorizontalHeaderLabels({tr("表"), tr("行"), tr("列"), tr("原值"), tr("新值")});
    fields->verticalHeader()->hide();
    fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fields->setSelectionBehavior(QAbstractItemView::SelectRows);
    fields->setSelectionMode(QAbstractItemView::SingleSelection);
    fields->setWordWrap(false);
    for (size_t i = 0; i < review_.entries.size(); ++i) {
        const rom::ReviewEntry& e = review_.entries[i];
        const QString cells[] = {Title(e.tableTitle),
                                 QStringLiteral("%1 %2").arg(e.row + 1).arg(Q(e.rowLabel)),
                                 Title(e.columnTitle), Q(e.before), Q(e.after)};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setToolTip(cells[c]);
            fields->setItem(static_cast<int>(i), c, item);
        }
    }
    fields->resizeColumnsToContents();
    fields->horizontalHeader()->setStretchLastSection(true);
    // A double-click or Enter on an entry shows it (not while the list asks a question).
    if (question.isEmpty())
        connect(fields, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
            chosen_ = index.row();
            accept();
        });
    layout->addWidget(fields, 3);

    auto* bytes = new QPlainTextEdit(BytesText(review_), this);
    bytes->setObjectName(QStringLiteral("bytes"));
    bytes->setReadOnly(true);
    bytes->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(bytes, 2);

    auto* buttons = new QDialogButtonBox(this);
    if (!question.isEmpty())
        buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    QPushButton* close =
        buttons->addButton(question.isEmpty() ? tr("关闭") : tr("取消"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 480);
}

} // namespace dravik::app
