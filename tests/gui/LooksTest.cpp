// How the window looks: on light and dark palettes a changed cell and the pressed page button
// stand out from their neighbours with their text readable; the window grows and scrolls; tool
// windows go beside it; a long path is cut in the middle and a short message box fits its caption.
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "WindowFixture.h"
#include "widgets/Marks.h"
#include "widgets/Placement.h"
#include "widgets/Prompts.h"

namespace dravik::test {
namespace {

using widgets::Contrast;

// The colour of most pixels in r, and the one of them that stands out most from it.
std::pair<QColor, QColor> BackgroundAndInk(const QImage& image, const QRect& r)
{
    std::map<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor background(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                return a.second < b.second;
                            })->first);
    QColor ink = background;
    for (const auto& [rgb, n] : counts)
        if (Contrast(QColor(rgb), background) > Contrast(ink, background))
            ink = QColor(rgb);
    return {background, ink};
}

TEST_F(WindowTest, ChangedCellsAndThePressedPageButtonStandOutReadablyOnLightAndDarkPalettes)
{
    const QPalette before = QApplication::palette();
    Load();
    window->GetSession().Apply(rom::Edit("main_cannons").SetCell(3, 1, "777"), QStringLiteral("edit"));
    window->ShowPage(1);
    QTableView* view = List(1004);
    view->clearSelection();
    view->setCurrentIndex({});
    for (const auto& [name, palette] : {std::pair{"dark", widgets::DarkPalette()}, {"light", before}}) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        QApplication::processEvents();
        const QImage list = view->viewport()->grab().toImage();
        const auto cell = [&](int row) {
            return view->visualRect(view->model()->index(row, 1)).adjusted(3, 2, -3, -2);
        };
        const auto [changed, changedInk] = BackgroundAndInk(list, cell(3));
        const auto [plain, plainInk] = BackgroundAndInk(list, cell(4));
        EXPECT_GE(Contrast(changedInk, changed), 4.5);
        EXPECT_GE(Contrast(changed, plain), 1.1) << "the changed cell looks like the others";

        QImage pressed = Child<QPushButton>(QStringLiteral("pageButton1"))->grab().toImage();
        QImage other = Child<QPushButton>(QStringLiteral("pageButton2"))->grab().toImage();
        const QRect face = pressed.rect().adjusted(3, 3, -3, -3);
        const auto [pressedFace, pressedInk] = BackgroundAndInk(pressed, face);
        const auto [otherFace, otherInk] = BackgroundAndInk(other, face);
        EXPECT_GE(Contrast(pressedInk, pressedFace), 4.5);
        EXPECT_GE(Contrast(pressedFace, otherFace), 1.3) << "the pressed page button looks like the others";
    }
    QApplication::setPalette(before);
    EXPECT_NE(widgets::ChangedMark(before), widgets::ReferenceMark(before));
}

TEST_F(WindowTest, LargerTheListsGrowSmallerThePageScrolls)
{
    Load();
    window->ShowPage(6);
    QWidget* client = Child<QWidget>(QStringLiteral("client"));
    EXPECT_EQ(client->size(), client->minimumSize()) << "starts at the designed size";
    const QSize list = List(1040)->size(), box = Box(1052)->size();
    window->resize(window->size() + QSize(300, 200));
    QApplication::processEvents();
    EXPECT_GT(List(1040)->width(), list.width());
    EXPECT_GT(List(1040)->height(), list.height());
    EXPECT_EQ(Box(1052)->size(), box);
    window->resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(client->size(), client->minimumSize());
    EXPECT_TRUE(Child<QScrollArea>(QStringLiteral("scroll"))->verticalScrollBar()->isVisible());
}

TEST(Placement, AToolWindowGoesBesideTheMainWindowOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1040);
    const QSize tool(560, 360);
    const struct {
        QRect main;
        QPoint corner;
    } cases[] = {
        {{100, 50, 800, 600}, {900, 50}},     // room on the right
        {{1000, 50, 800, 600}, {440, 50}},    // only on the left
        {{200, 900, 1400, 600}, {1360, 680}}, // no room: the wider side, on screen
        {{400, 100, 1300, 600}, {0, 100}},    // no room, the left is wider
    };
    for (const auto& c : cases)
        EXPECT_EQ(widgets::BesideWindow(c.main, tool, screen), c.corner) << c.main.x();
}

TEST(Placement, AWindowTooTallForItsScreenStartsWiderByItsScrollBar)
{
    const struct {
        QSize room, start;
    } cases[] = {
        {{1920, 1040}, {774, 580}}, // fits: as designed
        {{1920, 500}, {790, 500}},  // too tall: room for the vertical scroll bar
        {{780, 500}, {780, 500}},   // and no wider than the screen
        {{600, 1040}, {600, 580}},  // too wide only
    };
    for (const auto& c : cases)
        EXPECT_EQ(widgets::StartSize({774, 580}, c.room, 16), c.start) << c.room.height();
}

TEST(FileFilters, ANameWithoutExtensionGetsTheChosenFiltersFirst)
{
    EXPECT_EQ(widgets::FilterExtension(QStringLiteral("IPS 补丁 (*.ips)")), QStringLiteral("ips"));
    EXPECT_EQ(widgets::FilterExtension(QStringLiteral("SMC File (*.smc *.sfc)")), QStringLiteral("smc"));
    EXPECT_EQ(widgets::FilterExtension(U("所有文件 (*)")), QString());
}

TEST_F(WindowTest, ALongPathIsCutInTheMiddleKeepingTheFileName)
{
    const QString deep =
        QDir::temp().filePath(QString(12, QLatin1Char('d')) + QStringLiteral("/x").repeated(150));
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString path = deep + QStringLiteral("/我的游戏.smc");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(Sample(1).data()), static_cast<qint64>(Sample(1).size()));
    }
    Open(path.toStdString());
    auto* status = Child<QLabel>(QStringLiteral("status"));
    const QString shown = status->text();
    EXPECT_TRUE(shown.startsWith(U("[文件]"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(U("/我的游戏.smc"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(status->fontMetrics().horizontalAdvance(shown), status->contentsRect().width());
    EXPECT_EQ(status->toolTip(), path);
    QDir(QDir::temp().filePath(QString(12, QLatin1Char('d')))).removeRecursively();
}

// A short message box is wide enough for its caption; a long list in one shows its first lines
// and counts the rest exactly.
TEST(Prompts, AShortMessageBoxFitsItsCaptionAndALongOneCountsTheLinesItLeavesOut)
{
    int width = 0;
    QString shown;
    QTimer closer; // works the box as a user would, so that nothing waits
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            shown = box->text();
            box->done(0);
        }
    });
    closer.start(10);
    widgets::Prompts::Dialogs().Tell(nullptr, QMessageBox::Information, U("Dravik静态修改器"),
                                     U("保存成功!\t"));
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GT(width,
              QFontMetrics(bold).horizontalAdvance(U("Dravik静态修改器")) + 6 * QFontMetrics(bold).height());

    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QString::number(i);
    widgets::Prompts::Dialogs().Tell(nullptr, QMessageBox::Warning, U("Dravik静态修改器"), lines.join(u'\n'));
    const QStringList seen = shown.split(u'\n');
    EXPECT_EQ(seen.last(), U("……（另有 %1 项，见详细信息）").arg(101 - seen.size())) << shown.toStdString();
}

} // namespace
} // namespace dravik::test
