// The list delegate that remembers its measures must measure as the standard delegate does,
// whatever changed since it last measured: a text, a cell's font (a changed cell is bold), the
// list's font, an icon.
#include <QApplication>
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

#include <gtest/gtest.h>

#include "widgets/MeasuredDelegate.h"

namespace dravik::test {
namespace {

TEST(MeasuredDelegate, MeasuresAsTheStandardDelegateAfterEveryChange)
{
    QStandardItemModel model(2, 1);
    QTableView view;
    view.setModel(&model);
    view.setWordWrap(false);
    auto* measured = new widgets::MeasuredDelegate(&view);
    QStyledItemDelegate plain;
    const QFont listFont = view.font();
    // What fitting a column to its entries asks (public in the base class).
    const auto width = [&view] { return static_cast<QAbstractItemView&>(view).sizeHintForColumn(0); };
    const auto setText = [&model](int row, const char* text) {
        model.setData(model.index(row, 0), QString::fromUtf8(text));
    };
    const auto setBold = [&model](int row, bool bold) {
        QFont font;
        font.setBold(bold);
        model.setData(model.index(row, 0), bold ? QVariant(font) : QVariant(), Qt::FontRole);
    };
    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"names", [&] { setText(0, "甲"), setText(1, "No1.蚊式坦克"); }},
        {"the same names again", [] {}},
        {"a changed cell in bold", [&] { setBold(1, true); }},
        {"a longer name in bold", [&] { setText(1, "No1.蚊式坦克改"); }},
        {"the mark gone", [&] { setBold(1, false); }},
        {"a larger list font",
         [&] {
             QFont larger = listFont;
             larger.setPointSizeF(listFont.pointSizeF() * 2);
             view.setFont(larger);
         }},
        {"an icon",
         [&] {
             QPixmap icon(40, 40);
             icon.fill(Qt::red);
             model.setData(model.index(0, 0), icon, Qt::DecorationRole);
         }},
        {"as at first",
         [&] {
             model.setData(model.index(0, 0), QVariant(), Qt::DecorationRole);
             view.setFont(listFont);
             setText(1, "No1.蚊式坦克");
         }},
    };
    for (const Step& step : steps) {
        step.change();
        view.setItemDelegate(&plain);
        const int expected = width();
        view.setItemDelegate(measured);
        EXPECT_EQ(width(), expected) << step.what;
        EXPECT_EQ(width(), expected) << step.what << ", measured twice";
    }
}

} // namespace
} // namespace dravik::test
