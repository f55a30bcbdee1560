#include "app/Resources.h"

#include <QFile>
#include <QResource>
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

namespace {

// The pixels of a binary PPM ("P6 WIDTH HEIGHT 255", then three bytes a pixel), or a null image
// for anything else. The resource is stored uncompressed: the pixels are read where the program
// was loaded, and converting them to the screen's format is all the work.
QImage PpmPixels(const QByteArray& bytes)
{
    int field[3] = {};
    qsizetype at = 2;
    if (!bytes.startsWith("P6"))
        return {};
    for (int& value : field) {
        const qsizetype start = at;
        while (at < bytes.size() && QChar::isSpace(uchar(bytes[at])))
            ++at;
        if (at == start)
            return {};
        const qsizetype digits = at;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && value <= 65535)
            value = value * 10 + (bytes[at++] - '0');
        if (at == digits || value < 1 || value > 65535)
            return {};
    }
    const qsizetype stride = qsizetype(field[0]) * 3;
    if (field[2] != 255 || at >= bytes.size() || !QChar::isSpace(uchar(bytes[at])) ||
        bytes.size() - at - 1 < stride * field[1])
        return {};
    const QImage view(reinterpret_cast<const uchar*>(bytes.constData() + at + 1), field[0], field[1], stride,
                      QImage::Format_RGB888);
    return view.convertToFormat(QImage::Format_RGB32); // a copy that outlives the bytes
}

} // namespace

QImage PictureSized(const char* stem, const QSize& size)
{
    const QByteArray name(stem);
    QImage image = PpmPixels(QResource(Picture((name + ".ppm").constData())).uncompressedData());
    if (image.width() < size.width() || image.height() < size.height())
        image = QImage(Picture((name + "-large.png").constData()), "png");
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace dravik::app
