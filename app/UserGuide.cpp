#include "app/UserGuide.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <vector>

#include "i18n/Language.h"
#include "widgets/DialogUnits.h"
#include "widgets/Prompts.h"

namespace dravik::app {

namespace {

// Pictures wider than the text are drawn scaled down to its width, so the page never scrolls
// sideways (a screenshot of the chart window is wider than the guide).
void FitPictures(QTextDocument& document, int width)
{
    struct Wide {
        int at, length;
        QTextImageFormat picture;
    };
    std::vector<Wide> wide; // changed after the walk: a change may rearrange the fragments
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextImageFormat picture = it.fragment().charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            const QVariant data = document.resource(QTextDocument::ImageResource, QUrl(picture.name()));
            QImage image = data.value<QImage>();
            if (image.isNull())
                image.loadFromData(data.toByteArray());
            if (image.width() <= width)
                continue;
            picture.setWidth(width);
            picture.setHeight(double(image.height()) * width / image.width());
            wide.push_back({it.fragment().position(), it.fragment().length(), picture});
        }
    QTextCursor cursor(&document);
    for (const Wide& w : wide) {
        cursor.setPosition(w.at);
        cursor.setPosition(w.at + w.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(w.picture);
    }
}

} // namespace

bool ShowUserGuide(QWidget* parent, widgets::Prompts& prompts)
{
    // Installed, else in the build folder (the English one is made there) or the sources; the
    // English interface's guide names the menus and buttons as that interface does.
    const QString base = QCoreApplication::applicationDirPath();
    QStringList candidates;
    if (i18n::CurrentLanguage() == i18n::Language::English)
        candidates << base + QStringLiteral("/../share/doc/dravik/user-guide.en.md")
                   << base + QStringLiteral("/docs/user-guide.en.md");
    candidates << base + QStringLiteral("/../share/doc/dravik/user-guide.md")
               << base + QStringLiteral("/../docs/user-guide.md");
    for (const QString& candidate : candidates) {
        const QFileInfo guide(candidate);
        if (!guide.isFile())
            continue;
        QDialog dialog(parent);
        dialog.setObjectName(QStringLiteral("UserGuide"));
        dialog.setWindowTitle(QCoreApplication::translate("UserGuide", "用户指南"));
        auto* text = new QTextBrowser(&dialog);
        text->setObjectName(QStringLiteral("guideText"));
        text->setOpenExternalLinks(true);
        text->setSource(QUrl::fromLocalFile(guide.absoluteFilePath()), QTextDocument::MarkdownResource);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(text);
        dialog.resize(widgets::DialogUnits(parent->font()).Size(400, 300));
        const QMargins around = layout->contentsMargins() + text->contentsMargins();
        FitPictures(*text->document(), dialog.width() - around.left() - around.right() -
                                           text->style()->pixelMetric(QStyle::PM_ScrollBarExtent) -
                                           2 * int(text->document()->documentMargin()));
        prompts.RunModal(dialog);
        return true;
    }
    return false;
}

} // namespace dravik::app
