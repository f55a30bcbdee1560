// 导出补丁 and 与其他映像比较: patches carry the pending edits, refusals match Save's, the open
// image is never written, and the diff list leads back to the field in the window.
#include <QTableWidget>

#include "WindowFixture.h"
#include "app/DiffDialog.h"
#include "rom/PatchFiles.h"

using namespace dravik;
using test::U;

namespace {
class WindowSharingTest : public test::WindowTest {
protected:
    std::string PathIn(const char* name) const { return dir.path().toStdString() + "/" + name; }
    QTemporaryDir dir;
};
} // namespace

TEST_F(WindowSharingTest, APatchTakesTheOriginalToTheOpenImageWithItsPendingEdits)
{
    EXPECT_FALSE(Action("actionExportPatch")->isEnabled());
    EXPECT_FALSE(Action("actionCompare")->isEnabled());
    Load();
    ASSERT_TRUE(Action("actionExportPatch")->isEnabled());
    const rom::Bytes onDisk = image.Read();
    const std::string original = PathIn("clean.smc");
    test::WriteFile(original, Sample(2));
    window->GetSession().Document().GetModel().Get("items").SetCell(3, 1, "4321");
    rom::Bytes expected;
    ASSERT_TRUE(rom::ImageWithEdits(window->GetSession().Document(), expected).ok);

    // The patch makes the original into the open image with its pending edits (each format's
    // making is the core's); a name without a format, or the open image, is refused.
    for (const std::string& target : {PathIn("mod.bps"), PathIn("mod.patch"), image.Path()}) {
        user.Clear();
        user.AnswerFile(QString::fromStdString(original));
        user.AnswerFile(QString::fromStdString(target));
        Action("actionExportPatch")->trigger();
        ASSERT_EQ(Messages().size(), 1u);
        const bool made = target == PathIn("mod.bps");
        EXPECT_EQ(Messages()[0].icon, made ? QMessageBox::Information : QMessageBox::Warning)
            << Messages()[0].text.toStdString();
        EXPECT_TRUE(image.Read() == onDisk);
        if (!made)
            continue;
        rom::Bytes patch, result;
        std::string error;
        ASSERT_TRUE(test::Succeeded(rom::ReadWholeFile(target, patch), error)) << error;
        ASSERT_TRUE(
            test::Succeeded(rom::ApplyPatch(patch, Sample(2), result, rom::IpsMadeFor::WithHeader), error))
            << error;
        EXPECT_TRUE(result == expected);
    }
    EXPECT_TRUE(test::ReadFile(original) == Sample(2));
}

TEST_F(WindowSharingTest, InvalidCellsAreRefusedWithSavesListBeforeAnyFileIsChosen)
{
    Load();
    window->GetSession().Document().GetModel().Get("items").SetCell(3, 1, "12x");
    user.Clear();
    Action("actionSave")->trigger();
    const QString saveText = Messages().at(0).text;
    for (const char* action : {"actionExportPatch", "actionCompare"}) {
        user.Clear();
        Action(action)->trigger();
        EXPECT_EQ(ChooserCalls(), 0u);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].icon, QMessageBox::Critical);
        const QString cellLine = saveText.section('\n', 1, 1); // the same cell line as Save's refusal
        EXPECT_TRUE(cellLine.contains("12x") && Messages()[0].text.contains(cellLine))
            << Messages()[0].text.toStdString();
    }
}

TEST_F(WindowSharingTest, TheDiffListLeadsToTheFieldInTheWindow)
{
    Load();
    rom::Bytes other = Sample(1);
    other[0xC0BFC + 3 * 5] ^= 1; // bounties row 5
    other[0x30151] ^= 1;         // the red wolf's HP, shown in a box
    other[0x100] ^= 1;           // outside every field
    const std::string otherPath = PathIn("other.smc");
    test::WriteFile(otherPath, other);
    window->GetSession().Apply(rom::Edit("monsters").SetCell(100, 9, "7"),
                               U("edit")); // a pending edit counts
    user.AnswerFile(QString::fromStdString(otherPath));
    Action("actionCompare")->trigger();
    auto* dialog = window->findChild<app::DiffDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const QString summary = dialog->findChild<QLabel*>(QStringLiteral("summary"))->text();
    EXPECT_TRUE(summary.contains(U("（含未保存的修改）"))) << summary.toStdString();
    QTableWidget* list = dialog->findChild<QTableWidget*>(QStringLiteral("diffList"));
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 0)->text(), U("通辑犯"));
    EXPECT_EQ(list->item(2, 3)->text(), U("7"));
    EXPECT_TRUE(dialog->findChild<QLabel*>(QStringLiteral("runs"))->text().contains("0x000100"));

    const std::tuple<int, int, int, int> jumps[] = {{0, 5, 1032, 5},
                                                    {2, 7, 1058, 100}}; // item, page, list, row
    for (const auto& [item, page, shown, row] : jumps) {
        list->itemDoubleClicked(list->item(item, 2));
        EXPECT_EQ(Page(), page);
        EXPECT_EQ(List(shown)->currentIndex().row(), row);
    }
    list->itemDoubleClicked(list->item(1, 0));
    EXPECT_EQ(Page(), 6);
    EXPECT_EQ(image.Read(), Sample(1));
}
