#pragma once
// The standard item delegate, which remembers the size it measured for each text in each look.
// Fitting a column to its entries measures every row through the delegate, and laying out the
// text is the dear part; a list shows the same few hundred names Open after Open, so each text is
// laid out once. Anything that a text and its look do not describe (an icon, a check box, a
// wrapped text, a size given by the model) is measured every time, as the standard delegate does.
#include <QFont>
#include <QHash>
#include <QStyledItemDelegate>

#include <vector>

namespace dravik::widgets {

class MeasuredDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Everything besides the text that the style reads to measure a line of text.
    struct Look {
        QFont font;
        QStyleOptionViewItem::ViewItemFeatures features;
        Qt::Alignment alignment;
        QSize decoration;
        QHash<QString, QSize> sizes;
    };

    mutable const QStyle* style_ = nullptr; // the style the remembered sizes were measured in
    mutable std::vector<Look> looks_;
    mutable int count_ = 0;
};

} // namespace dravik::widgets
