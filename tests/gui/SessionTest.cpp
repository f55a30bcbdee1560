// A session on its own, as anything that is not the window would drive it: each edit is one undo
// step told once to listeners, the recovery record follows the unsaved edits once the event is
// over, Save makes them the baseline, and a reload carries them over a changed file.
#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "app/EditHistory.h"
#include "app/Session.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

namespace dravik::test {
namespace {

TEST(Session, EditsSavesAndReloadsWithItsHistoryAndRecord)
{
    const TempImage image(rom::MakeSampleImage(1));
    const QTemporaryDir records;
    app::Session session;
    session.SetRecoveryFolder(records.path().toStdString());
    ASSERT_TRUE(session.Open(image.Path()).ok);
    const auto hasRecord = [&] {
        return QFile::exists(QString::fromStdString(session.RecoveryRecordPath()));
    };
    const auto cell = [&](const char* table, int row) {
        return session.Document().GetModel().Get(table).Cell(row, 1);
    };

    QSignalSpy changed(&session, &app::Session::Changed);
    QSignalSpy modified(&session, &app::Session::ModifiedChanged);
    EXPECT_TRUE(session.Apply({rom::Edit("items").SetCell(2, 1, "9"), rom::Edit("snacks").SetCell(0, 1, "7")},
                              QStringLiteral("two")));
    EXPECT_FALSE(session.Apply(rom::Edit("items").SetCell(2, 1, "9"), QStringLiteral("same")));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(modified.count(), 1);
    EXPECT_FALSE(hasRecord()) << "written once the event is over";
    QApplication::processEvents();
    EXPECT_TRUE(hasRecord());

    ASSERT_TRUE(session.Save().ok);
    EXPECT_FALSE(session.IsModified());
    EXPECT_FALSE(hasRecord());

    // Another program changes the file; the unsaved edit is carried over its new contents.
    session.Apply(rom::Edit("items").SetCell(2, 1, "33"), QStringLiteral("edit"));
    rom::Bytes other = image.Read();
    other[0xC0BFC + 3 * 5] ^= 1; // a bounty
    ASSERT_TRUE(WriteFile(image.Path(), other));
    EXPECT_TRUE(session.Save().fileChanged);
    rom::Reapplication plan;
    ASSERT_TRUE(session.Reload(plan).ok);
    EXPECT_EQ(cell("items", 2), "9");
    EXPECT_EQ(plan.count, 1);
    EXPECT_TRUE(session.Recover(plan.edits));
    EXPECT_EQ(cell("items", 2), "33");
    session.History().findChild<QUndoStack*>()->undo();
    EXPECT_EQ(cell("items", 2), "9");
}

} // namespace
} // namespace dravik::test
