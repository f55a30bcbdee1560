#include "app/Resources.h"

#include <QFile>
#include <QImageReader>
#include <QtGlobal>

#include "i18n/Language.h"

// Q_INIT_RESOURCE declares the registration function where it is used, so it must be used at
// global scope, not inside the namespace.
static void RegisterEditorResources() { Q_INIT_RESOURCE(resources); }

namespace dravik::app {

void EnsureResources()
{
    static const bool registered = (RegisterEditorResources(), true);
    (void)registered;
}

QString Picture(const char* name)
{
    EnsureResources();
    const QString chinese = QStringLiteral(":/dravik/") + QLatin1String(name);
    if (i18n::CurrentLanguage() != i18n::Language::English)
        return chinese;
    const QString english = QStringLiteral(":/dravik/en/") + QLatin1String(name);
    return QFile::exists(english) ? english : chinese;
}

QImage PictureSized(const char* stem, const QSize& size)
{
    const QByteArray name(stem);
    QImageReader reader(Picture((name + ".png").constData()), "png");
    const QSize drawn = reader.size(); // read from the file's header
    if (drawn.width() < size.width() || drawn.height() < size.height())
        reader.setFileName(Picture((name + "-large.png").constData()));
    const QImage image = reader.read();
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace dravik::app
