#pragma once
// The save-safety fixture, shared by the tests built everywhere and the POSIX-only ones: one
// suite across files needs one fixture class, so it cannot live in an unnamed namespace.
#include <gtest/gtest.h>

#include <QStandardPaths>

namespace dravik::test {

class SaveSafety : public ::testing::Test {
protected:
    // Journals that fall back to the data folder go to a test folder, not the user's.
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }
};

} // namespace dravik::test
