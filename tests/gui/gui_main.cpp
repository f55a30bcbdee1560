// Entry point of the GUI tests: one QApplication for all of them, offscreen unless the
// environment asks for another platform, with settings in a folder of their own (never the user's).
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8"); // the editor a test starts speaks Chinese whatever the developer's locale
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // never the user's own application data
    const QTemporaryDir settings;
    // A plain QSettings() uses the default format, whose path setPath of IniFormat does not change.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    return RUN_ALL_TESTS();
}
