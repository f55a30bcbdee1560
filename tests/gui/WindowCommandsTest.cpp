// The window's commands: Open, Close, Save and their failures, Exit, the shortcuts, the modal
// dialogs, and the keys that must not end the window.
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

#include <set>

#include "WindowFixture.h"
#include "app/CAboutDlg.h"

// Delivers a key press to the shortcut map, as a real key press does before the focus widget
// sees it (the same entry point Qt's own test library uses).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text = QString(), bool autorep = false,
                                               ushort count = 1);

namespace dravik::test {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

rom::Model Loaded(const rom::Bytes& image)
{
    rom::Model model;
    rom::LoadTables(image, model);
    return model;
}

// Every list shows exactly the model's cells.
void ExpectListsShow(QWidget* window, const rom::Model& expected)
{
    for (const ListOfTable& l : AllLists()) {
        auto* view = window->findChild<QTableView*>(QStringLiteral("list%1").arg(l.id));
        const rom::Table& table = expected.Get(l.table);
        QAbstractItemModel* m = view->model();
        for (int r = 0; r < table.Rows(); ++r)
            for (int c = 1; c < table.Columns(); ++c)
                ASSERT_EQ(m->data(m->index(r, c)).toString().toStdString(), table.Cell(r, c))
                    << l.table << " " << r << "," << c;
    }
}

class WindowCommandsTest : public WindowTest {
protected:
    bool Shortcut(int key, Qt::KeyboardModifiers mods)
    {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        return qt_sendShortcutOverrideEvent(target, 0, key, mods);
    }
};

TEST_F(WindowCommandsTest, OpenFillsEveryListAndBoxAndEntersTheLoadedState)
{
    std::set<int> repainted;
    for (const ListOfTable& l : AllLists()) {
        app::CTableModel* m = window->ListModel(l.id);
        QObject::connect(m, &QAbstractItemModel::dataChanged,
                         [&repainted, m, l](const QModelIndex& a, const QModelIndex& b) {
                             if (a.row() == 0 && a.column() == 0 && b.row() == m->rowCount() - 1 &&
                                 b.column() == m->columnCount() - 1)
                                 repainted.insert(l.id);
                         });
    }
    TempImage image(Sample(1));
    Open(image.Path());

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Status(), U("[文件]") + QString::fromStdString(image.Path()));
    EXPECT_TRUE(SaveEnabled());
    EXPECT_TRUE(window->IsLoaded());
    const rom::Model expected = Loaded(Sample(1));
    ExpectListsShow(window.get(), expected);
    for (const ListOfTable& l : AllLists()) {
        EXPECT_TRUE(repainted.count(l.id)) << l.table;
        for (int c = 1; c < List(l.id)->model()->columnCount(); ++c)
            EXPECT_FALSE(Cell(l.id, 0, c).isEmpty()) << l.table << " column " << c;
    }
    EXPECT_EQ(Box(1052)->Text().toStdString(), expected.Get("red_wolf").Cell(0, 1));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Box(1053 + r)->Text().toStdString(), expected.Get("hotel_rooms").Cell(r, 1));
    EXPECT_FALSE(Box(1052)->Text().isEmpty());
}

TEST_F(WindowCommandsTest, CancelledOpenChangesNothingInEitherState)
{
    nextPath.clear();
    Button(1001)->click();
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(Status(), U("未载入文件"));
    EXPECT_TRUE(SaveDisabled());

    TempImage image(Sample(1));
    Open(image.Path());
    const QString status = Status();
    nextPath.clear();
    Action("actionOpen")->trigger();
    EXPECT_EQ(chooserCalls, 3);
    EXPECT_EQ(Status(), status);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowCommandsTest, SecondOpenReplacesEveryValueAndBox)
{
    TempImage first(Sample(1), "first.smc");
    TempImage second(Sample(2), "second.smc");
    Open(first.Path());
    Box(1052)->SetText(QStringLiteral("1"));
    Open(second.Path());

    EXPECT_EQ(Status(), U("[文件]") + QString::fromStdString(second.Path()));
    const rom::Model expected = Loaded(Sample(2));
    ExpectListsShow(window.get(), expected);
    EXPECT_EQ(Box(1052)->Text().toStdString(), expected.Get("red_wolf").Cell(0, 1));
    // The two images differ, so the lists really changed.
    EXPECT_NE(Loaded(Sample(1)).Get("monsters").Cell(5, 4), expected.Get("monsters").Cell(5, 4));
}

TEST_F(WindowCommandsTest, CloseKeepsTheValuesButDisablesSaveAndEveryRowEdit)
{
    TempImage image(Sample(1));
    Open(image.Path());
    Action("actionClose")->trigger();

    EXPECT_EQ(Status(), U("未载入文件"));
    EXPECT_TRUE(SaveDisabled());
    EXPECT_FALSE(window->IsLoaded());
    const rom::Model expected = Loaded(Sample(1));
    ExpectListsShow(window.get(), expected);

    window->ShowPage(5);
    ClickRow(1028, 3);
    EXPECT_TRUE(Box(1029)->Text().isEmpty()) << "a click fills the box only while a file is loaded";
    Box(1029)->SetText(QStringLiteral("99"));
    Button(1030)->click();
    EXPECT_EQ(Cell(1028, 3, 1).toStdString(), expected.Get("items").Cell(3, 1));
    window->ShowPage(7);
    ClickRow(1058, 2, true);
    EXPECT_TRUE(edits.empty());

    Action("actionClose")->trigger(); // again: nothing changes
    EXPECT_EQ(Status(), U("未载入文件"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowCommandsTest, SaveWritesOnlyTheEditedFieldsAndReportsSuccess)
{
    TempImage image(Sample(1));
    Open(image.Path());
    window->ShowPage(5);
    ClickRow(1028, 3);
    Box(1029)->SetText(QStringLiteral("1234"));
    Button(1030)->click();
    Box(1052)->SetText(QStringLiteral("4321"));
    Button(1003)->click();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages[0].caption, U("Dravik静态修改器"));
    EXPECT_EQ(messages[0].text, U("保存成功!\t"));

    const rom::Bytes before = Sample(1);
    const rom::Bytes after = image.Read();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(Get(after, 0xC0200 + 3 * 2, 2), 1234u);
    EXPECT_EQ(Get(after, 0x30151, 2), 4321u);
    EXPECT_EQ(Get(after, 0x30153, 2), 4321u); // the game's second copy
    std::vector<uint32_t> changed;
    for (uint32_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed.push_back(i);
    for (uint32_t offset : changed)
        EXPECT_TRUE((offset >= 0xC0206 && offset < 0xC0208) || (offset >= 0x30151 && offset < 0x30155))
            << std::hex << offset;
    EXPECT_TRUE(SaveEnabled());
}

TEST_F(WindowCommandsTest, FailedOpenReportsWhyAndLeavesTheWindowAsItWas)
{
    Open("/nonexistent/dir/missing.smc");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(messages[0].caption, U("Dravik静态修改器"));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("missing.smc")));
    EXPECT_EQ(Status(), U("未载入文件"));
    EXPECT_TRUE(SaveDisabled());
    EXPECT_TRUE(Cell(1004, 0, 1).isEmpty());

    TempImage good(Sample(1), "good.smc");
    TempImage shortFile(rom::Bytes(0x1000, 0xAB), "short.smc");
    Open(good.Path());
    Open(shortFile.Path());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("short.smc")));
    EXPECT_EQ(Status(), U("[文件]") + QString::fromStdString(good.Path()));
    EXPECT_TRUE(SaveEnabled());
    ExpectListsShow(window.get(), Loaded(Sample(1)));
}

TEST_F(WindowCommandsTest, FailedSavesSayWhyAndWriteNothing)
{
    TempImage image(Sample(1));
    Open(image.Path());
    window->ShowPage(5);
    ClickRow(1028, 0);
    Box(1029)->SetText(QStringLiteral("abc"));
    Button(1030)->click();
    ClickRow(1032, 2);
    Box(1033)->SetText(QStringLiteral("99999999"));
    Button(1034)->click();
    Button(1003)->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages[0].caption, U("Dravik静态修改器"));
    // The invalid cells are listed so that they can be found.
    for (const char* part : {"abc", "99999999", "道具", "通辑犯", "价格", "赏金"})
        EXPECT_TRUE(messages[0].text.contains(U(part))) << part << "\n" << messages[0].text.toStdString();
    EXPECT_EQ(image.Read(), Sample(1));

    Box(1029)->SetText(QStringLiteral("1"));
    Button(1030)->click();
    Box(1033)->SetText(QStringLiteral("1"));
    Button(1034)->click();
    window->Document().SetWriter([](const std::string&, const rom::Bytes&, std::string& error) {
        error = "设备上没有空间";
        return false;
    });
    Action("actionSave")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].icon, QMessageBox::Critical);
    EXPECT_TRUE(messages[1].text.contains(U("设备上没有空间")));
    EXPECT_EQ(image.Read(), Sample(1));

    QFile::remove(QString::fromStdString(image.Path())); // gone since it was opened
    Action("actionSave")->trigger();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].icon, QMessageBox::Critical);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(image.Path())));
}

TEST_F(WindowCommandsTest, ShortcutsReachTheirCommandsAndCtrlSOnlyWhileSaveIsEnabled)
{
    TempImage image(Sample(1));
    nextPath.clear();
    EXPECT_TRUE(Shortcut(Qt::Key_O, Qt::ControlModifier));
    EXPECT_EQ(chooserCalls, 1);

    Shortcut(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(messages.empty()) << "no save without a file";

    nextPath = QString::fromStdString(image.Path());
    Shortcut(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(window->IsLoaded());
    EXPECT_TRUE(Shortcut(Qt::Key_S, Qt::ControlModifier));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, U("保存成功!\t"));

    // From a list too: single selection leaves Ctrl+A to the window.
    window->ShowPage(1);
    List(1004)->setFocus();
    EXPECT_TRUE(Shortcut(Qt::Key_F, Qt::ControlModifier));
    EXPECT_TRUE(Shortcut(Qt::Key_A, Qt::ControlModifier));
    EXPECT_EQ(modals, (std::vector<std::string>{"CBaseConvDlg", "dravik::app::CAboutDlg"}));

    // In an edit box Ctrl+A selects the box's text, as in every text field.
    window->ShowPage(6);
    Box(1052)->setFocus();
    EXPECT_FALSE(Shortcut(Qt::Key_A, Qt::ControlModifier));
    EXPECT_EQ(modals.size(), 2u);
}

TEST_F(WindowCommandsTest, EscAndEnterDoNotEndTheWindow)
{
    TempImage image(Sample(1));
    Open(image.Path());
    window->ShowPage(1);
    QTableView* list = List(1004);
    list->setFocus();
    list->selectRow(2);
    for (QWidget* target : {static_cast<QWidget*>(list), static_cast<QWidget*>(window.get())})
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            Key(target, key);
    QApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->IsLoaded());
    EXPECT_TRUE(edits.empty()) << "Enter is not a double-click";
}

TEST_F(WindowCommandsTest, ExitEndsAtOnceWithoutAskingOrSaving)
{
    TempImage image(Sample(1));
    Open(image.Path());
    Box(1052)->SetText(QStringLiteral("1"));
    // Run the program's event loop as the application does; Exit must end it with status 0.
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, window.get(), [this] { Action("actionExit")->trigger(); });
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    fallback.start(5000);
    const int status = QApplication::exec();
    fallback.stop();
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(modals.empty());
    EXPECT_EQ(image.Read(), Sample(1));
}

TEST_F(WindowCommandsTest, AboutBoxShowsTheProgramNameVersionAndPictures)
{
    app::CAboutDlg about(window.get());
    const QString name = about.findChild<QLabel*>(QStringLiteral("aboutName"))->text();
    EXPECT_TRUE(name.contains(U("Dravik静态修改器")));
    EXPECT_TRUE(name.contains(QStringLiteral(DRAVIK_VERSION)));
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap().isNull());
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("aboutPicture"))->pixmap().isNull());
}

// The real dialogs, closed from a timer as soon as they are up.
TEST_F(WindowCommandsTest, RealFileDialogFiltersSmcFilesAndLongMessagesAreShortened)
{
    const app::EditorPlatform real = app::EditorPlatform::Default();
    QStringList filters;
    QTimer::singleShot(0, [&filters] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            filters = dialog->nameFilters();
            dialog->reject();
        }
    });
    EXPECT_TRUE(real.chooseOpenPath(window.get()).isEmpty());
    EXPECT_EQ(filters, QStringList{QStringLiteral("SMC File (*.smc)")});

    QStringList lines{U("未保存：有 30 个单元格的值无效。")};
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("cell %1").arg(i);
    QString shown, details;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            details = box->detailedText();
            box->accept();
        }
    });
    real.showMessage(window.get(), QMessageBox::Critical, U("Dravik静态修改器"),
                     lines.join(QLatin1Char('\n')));
    EXPECT_TRUE(shown.contains(QStringLiteral("cell 19")));
    EXPECT_FALSE(shown.contains(QStringLiteral("cell 20")));
    EXPECT_TRUE(shown.contains(U("另有 10 项")));
    EXPECT_EQ(details, lines.join(QLatin1Char('\n')));
}

} // namespace
} // namespace dravik::test
