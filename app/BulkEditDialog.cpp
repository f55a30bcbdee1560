#include "app/BulkEditDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/Marks.h"
#include "widgets/Text.h"

namespace dravik::app {

namespace {
using widgets::Q;
using widgets::Title;
} // namespace

BulkEditDialog::BulkEditDialog(const rom::Table& table, std::vector<int> selected, int column,
                               QWidget* parent)
    : QDialog(parent), table_(table), selected_(std::move(selected))
{
    setObjectName(QStringLiteral("BulkEditDialog"));
    setWindowTitle(tr("批量修改 - %1").arg(Title(table.Title())));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;

    column_ = new QComboBox(this);
    column_->setObjectName(QStringLiteral("column"));
    for (const int c : table.Layout().ValueColumns()) {
        column_->addItem(Title(table.ColumnTitle(c)), c);
        if (c == column)
            column_->setCurrentIndex(column_->count() - 1);
    }
    form->addRow(tr("列："), column_);

    auto* rows = new QHBoxLayout;
    selectedRows_ = new QRadioButton(tr("选中的 %n 行", nullptr, static_cast<int>(selected_.size())), this);
    selectedRows_->setObjectName(QStringLiteral("selectedRows"));
    allRows_ = new QRadioButton(tr("全部 %n 行", nullptr, table.Rows()), this);
    allRows_->setObjectName(QStringLiteral("allRows"));
    (selected_.size() > 1 ? selectedRows_ : allRows_)->setChecked(true);
    selectedRows_->setEnabled(!selected_.empty());
    rows->addWidget(selectedRows_);
    rows->addWidget(allRows_);
    rows->addStretch();
    form->addRow(tr("行："), rows);

    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("formula"));
    formula_->setMaxLength(static_cast<int>(rom::kMaximumFormulaLength));
    formula_->setPlaceholderText(QStringLiteral("x*1.2"));
    form->addRow(tr("公式："), formula_);
    layout->addLayout(form);

    auto* help =
        new QLabel(tr("x 是当前值，r 是行号（从 1 数起）。可以用 + - * / ^、括号、round、floor、ceil、"
                      "abs、min、max，或只写一个数。\n结果按字段的单位（整数或两位小数）四舍五入，"
                      "5 向远离零的方向进。"),
                   this);
    help->setWordWrap(true);
    layout->addWidget(help);

    preview_ = new QTableWidget(0, 4, this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setHorizontalHeaderLabels({tr("行"), tr("原值"), tr("新值"), tr("说明")});
    preview_->verticalHeader()->hide();
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionBehavior(QAbstractItemView::SelectRows);
    preview_->setWordWrap(false);
    preview_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(preview_, 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("ok"));
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(formula_, &QLineEdit::textChanged, this, &BulkEditDialog::Preview);
    connect(column_, qOverload<int>(&QComboBox::currentIndexChanged), this, &BulkEditDialog::Preview);
    connect(selectedRows_, &QRadioButton::toggled, this, &BulkEditDialog::Preview);
    resize(560, 480);
    Preview();
    formula_->setFocus(); // what the user came to type; the column is usually chosen already
}

int BulkEditDialog::Column() const { return column_->currentData().toInt(); }

QString BulkEditDialog::StepName() const
{
    return tr("批量修改 %1：%2").arg(column_->currentText(), formula_->text().trimmed());
}

void BulkEditDialog::Preview()
{
    std::vector<int> rows = selected_;
    if (allRows_->isChecked()) {
        rows.clear();
        for (int row = 0; row < table_.Rows(); ++row)
            rows.push_back(row);
    }
    const QString text = formula_->text();
    plan_ = text.trimmed().isEmpty() ? rom::BulkPlan{}
                                     : rom::PlanBulk(table_, Column(), rows, text.toStdString());
    preview_->setRowCount(static_cast<int>(plan_.rows.size()));
    for (int i = 0; i < static_cast<int>(plan_.rows.size()); ++i) {
        const rom::BulkRow& r = plan_.rows[static_cast<size_t>(i)];
        const QString cells[] = {
            QStringLiteral("%1 %2").arg(r.row + 1).arg(Q(table_.RowLabel(r.row))), Q(r.before), Q(r.after),
            r.Fits() ? (r.before == r.after ? tr("不变") : QString()) : Q(rom::Reason(*r.refusal))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (!r.Fits())
                item->setForeground(widgets::FaultText(preview_->palette()));
            preview_->setItem(i, c, item);
        }
    }
    preview_->resizeColumnsToContents();

    if (text.trimmed().isEmpty())
        status_->setText(tr("请输入公式。"));
    else if (plan_.error)
        status_->setText(Q(rom::Describe(*plan_.error)));
    else if (plan_.Misfits() > 0)
        status_->setText(tr("%n 行放不下（红色），改好公式才能确定。", nullptr, plan_.Misfits()));
    else
        status_->setText(
            tr("将修改 %n 行。", nullptr,
               static_cast<int>(std::count_if(plan_.rows.begin(), plan_.rows.end(),
                                              [](const rom::BulkRow& r) { return r.before != r.after; }))));
    ok_->setEnabled(!text.trimmed().isEmpty() && plan_.Ok());
}

} // namespace dravik::app
