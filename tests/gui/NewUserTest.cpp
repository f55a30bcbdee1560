// What a new user sees first: a long path in the status line, a message box wide enough for its
// caption, and Qt's own dialogs in Chinese.
#include <QDialogButtonBox>
#include <QTimer>
#include <QTranslator>

#include "WindowFixture.h"
#include "app/CEditorApp.h"
#include "i18n/Language.h"

namespace dravik::test {
namespace {

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

TEST(Prompts, AShortMessageBoxIsWideEnoughForItsCaption)
{
    int width = 0;
    QTimer closer; // works the box as a user would, so that nothing waits
    QObject::connect(&closer, &QTimer::timeout, [&width] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
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
}

TEST(QtTranslations, StockDialogsSpeakChinese)
{
    ASSERT_TRUE(i18n::InstallLanguage(*QCoreApplication::instance(), i18n::Language::Chinese));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), U("取消"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), U("查找范围："));
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
}

} // namespace
} // namespace dravik::test
