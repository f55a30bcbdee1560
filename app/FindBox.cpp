#include "app/FindBox.h"

#include "widgets/Text.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dravik::app {

using widgets::Q;
using widgets::Title;

FindBox::FindBox(const rom::Model& model, std::function<void(const Place&)> show, QWidget* parent)
    : QDialog(parent), model_(model), show_(std::move(show))
{
    setObjectName(QStringLiteral("FindBox"));
    setWindowTitle(tr("查找"));
    setModal(false);
    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("findText"));
    input_->setPlaceholderText(tr("名称或任何单元格的文字"));
    results_ = new QTreeWidget(this);
    results_->setObjectName(QStringLiteral("findResults"));
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setHeaderLabels({tr("表"), tr("行"), tr("列"), tr("文字")});
    results_->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(input_);
    layout->addWidget(results_);
    resize(560, 360);

    connect(input_, &QLineEdit::textChanged, this, &FindBox::Find);
    connect(results_, &QTreeWidget::itemActivated, this, [this] { ShowCurrent(); });
    input_->installEventFilter(this);
}

void FindBox::Find(const QString& text)
{
    if (input_->text() != text)
        input_->setText(text); // comes back here through textChanged
    results_->clear();
    places_.clear();
    const std::vector<rom::FindMatch> matches = rom::FindText(model_, text.toStdString());
    QList<QTreeWidgetItem*> items;
    for (const rom::FindMatch& m : matches) {
        const rom::Table& t = model_.Tables()[static_cast<size_t>(m.table)];
        places_.push_back({t.Id(), m.row, m.column});
        items.append(new QTreeWidgetItem(
            {Title(t.Title()), Q(t.RowLabel(m.row)), Title(t.ColumnTitle(m.column)), Q(m.text)}));
    }
    results_->addTopLevelItems(items);
    if (!items.isEmpty())
        results_->setCurrentItem(items.first());
    else if (!text.isEmpty()) // a line that is no place, as 查看引用 says 没有被用到
        results_->addTopLevelItem(new QTreeWidgetItem({tr("没有找到")}));
}

void FindBox::ShowReferences(const QString& what, const std::vector<rom::Reference>& refs)
{
    setWindowTitle(tr("查看引用 - %1").arg(what));
    input_->blockSignals(true);
    input_->clear();
    input_->blockSignals(false);
    results_->clear();
    places_.clear();
    for (const rom::Reference& r : refs) {
        const rom::Table* t = model_.Find(r.tableId);
        places_.push_back({r.tableId, r.row, r.column});
        results_->addTopLevelItem(
            new QTreeWidgetItem({t ? Title(t->Title()) : Q(r.tableId), Q(r.text), Q(r.where),
                                 t ? Q(t->Cell(r.row, r.column)) : QString()}));
    }
    if (refs.empty())
        results_->addTopLevelItem(new QTreeWidgetItem({tr("没有被用到")}));
    else
        results_->setCurrentItem(results_->topLevelItem(0));
    // Each column but the last as wide as its texts ("战利品(<3回合) 人物类2" with its category).
    for (int c = 0; c + 1 < results_->columnCount(); ++c)
        results_->resizeColumnToContents(c);
}

bool FindBox::Step(int step)
{
    if (places_.empty())
        return false;
    const int n = Count();
    const int current = results_->indexOfTopLevelItem(results_->currentItem());
    const int next = current < 0 ? (step > 0 ? 0 : n - 1) : ((current + step) % n + n) % n;
    results_->setCurrentItem(results_->topLevelItem(next));
    ShowCurrent();
    return true;
}

void FindBox::ShowCurrent()
{
    const int i = results_->indexOfTopLevelItem(results_->currentItem());
    if (i >= 0 && i < Count() && show_)
        show_(places_[static_cast<size_t>(i)]);
}

// Enter in the text shows the current match; the arrow keys move through the list meanwhile.
bool FindBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == input_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ShowCurrent();
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) {
            const int i = results_->indexOfTopLevelItem(results_->currentItem()) +
                          (key->key() == Qt::Key_Down ? 1 : -1);
            if (i >= 0 && i < results_->topLevelItemCount())
                results_->setCurrentItem(results_->topLevelItem(i));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dravik::app
