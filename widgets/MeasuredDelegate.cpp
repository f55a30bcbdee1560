#include "widgets/MeasuredDelegate.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace dravik::widgets {

namespace {
// Far more than the names of every list together; a delegate that has measured more starts again.
constexpr int kMostSizes = 8192;
} // namespace

QSize MeasuredDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    if (index.data(Qt::SizeHintRole).isValid() || !item.icon.isNull() ||
        item.features.testFlag(QStyleOptionViewItem::HasCheckIndicator) ||
        item.features.testFlag(QStyleOptionViewItem::WrapText)) // a wrapped text's size depends on its cell
        return QStyledItemDelegate::sizeHint(option, index);

    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    if (style != style_ || count_ >= kMostSizes) {
        looks_.clear();
        count_ = 0;
        style_ = style;
    }
    auto look = std::find_if(looks_.begin(), looks_.end(), [&item](const Look& l) {
        return l.font == item.font && l.features == item.features && l.alignment == item.displayAlignment &&
               l.decoration == item.decorationSize;
    });
    if (look == looks_.end())
        look = looks_.insert(looks_.end(),
                             Look{item.font, item.features, item.displayAlignment, item.decorationSize, {}});
    const auto found = look->sizes.constFind(item.text);
    if (found != look->sizes.constEnd())
        return *found;
    // What the standard delegate does with the option it fills; filling it again would cost as
    // much as the lookup saves when every text is new, as on the first Open.
    const QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), item.widget);
    look->sizes.insert(item.text, size);
    ++count_;
    return size;
}

} // namespace dravik::widgets
