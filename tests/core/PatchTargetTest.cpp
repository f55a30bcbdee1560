// Where a patch may be written: never over a file that may not be replaced, never over one of the
// images it is made from or for, under whatever spelling the path names it.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "rom/PatchFiles.h"
#include "support/TestImage.h"

using namespace dravik;
using rom::PatchTargetProblem;

TEST(PatchTarget, RefusesReadOnlyFilesAndEveryNameOfTheImages)
{
    const test::TempImage image(rom::Bytes(16, 0), "game.smc");
    const std::string folder = QFileInfo(QString::fromStdString(image.Path())).absolutePath().toStdString();
    const std::string kept = folder + "/kept.ips";
    ASSERT_TRUE(test::WriteFile(kept, rom::Bytes(4, 1)));
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(kept), QFileDevice::ReadOwner));
    const std::string link = folder + "/link.smc";
    const bool linked = QFile::link(QString::fromStdString(image.Path()), QString::fromStdString(link));

    const struct {
        std::string path;
        PatchTargetProblem expected;
    } cases[] = {
        {folder + "/mod.ips", PatchTargetProblem::None},
        {folder + "/../" + QDir(QString::fromStdString(folder)).dirName().toStdString() + "/mod.bps",
         PatchTargetProblem::None},
        {kept, PatchTargetProblem::ReadOnly},
        {image.Path(), PatchTargetProblem::OverImage},
        {folder + "/./game.smc", PatchTargetProblem::OverImage},
        {folder + "//game.smc", PatchTargetProblem::OverImage},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rom::CheckPatchTarget(c.path, {folder + "/clean.smc", image.Path()}), c.expected) << c.path;
    if (linked) {
        EXPECT_EQ(rom::CheckPatchTarget(link, {image.Path()}), PatchTargetProblem::OverImage);
    }
}
