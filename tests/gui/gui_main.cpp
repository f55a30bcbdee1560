// Entry point of the GUI tests: one QApplication for all of them, offscreen unless the
// environment asks for another platform, with settings in a folder of their own (never the user's).
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include "i18n/Language.h"

namespace {
// Each test starts as if its program had just started, as under ctest: in Chinese with no catalog
// installed, nothing remembered in the settings by an earlier test, and no key held. A key click with Shift
// leaves Shift held for QApplication (the simulated release of Shift reports it still down), and a selection
// made then would extend from the anchor instead of starting anew.
class FreshStart : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        QCoreApplication& app = *QCoreApplication::instance();
        dravik::i18n::InstallLanguage(app, dravik::i18n::Language::Chinese);
        for (QTranslator* t : app.findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QSettings settings;
        settings.clear();
        settings.sync();
        QWidget anyWidget;
        QTest::keyRelease(&anyWidget, Qt::Key_Shift, Qt::NoModifier);
    }
};
} // namespace

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
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
    return RUN_ALL_TESTS();
}
