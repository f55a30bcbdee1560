#include "app/Resources.h"

#include <QFile>
#include <QPoint>
#include <QRect>
#include <QResource>
#include <QtGlobal>
#include <cstring>

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

// A binary PPM ("P6 WIDTH HEIGHT 255", then three bytes a pixel) as plain pixels, and where a strip
// goes: a comment "# at X Y" in its header.
struct Ppm {
    QImage pixels; // null for anything that is not such a PPM
    QPoint at;
};

// The resource is stored uncompressed: the pixels are read where the program was loaded, and
// converting them to the screen's format is all the work.
Ppm PpmPixels(const QByteArray& bytes)
{
    Ppm ppm;
    int field[3] = {};
    qsizetype at = 2;
    if (!bytes.startsWith("P6"))
        return {};
    for (int& value : field) {
        const qsizetype start = at;
        while (at < bytes.size() && (QChar::isSpace(uchar(bytes[at])) || bytes[at] == '#')) {
            if (bytes[at] != '#') {
                ++at;
                continue;
            }
            const qsizetype end = bytes.indexOf('\n', at);
            if (end < 0)
                return {};
            const QList<QByteArray> words = bytes.mid(at + 1, end - at - 1).simplified().split(' ');
            if (words.size() == 3 && words[0] == "at")
                ppm.at = QPoint(words[1].toInt(), words[2].toInt());
            at = end;
        }
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
    ppm.pixels = view.convertToFormat(QImage::Format_RGB32); // a copy that outlives the bytes
    return ppm;
}

Ppm PictureFile(const QByteArray& name)
{
    return PpmPixels(QResource(Picture(name.constData())).uncompressedData());
}

// A picture that differs from another only in a rectangle is kept as that rectangle
// (STEM-strip.ppm) and drawn over the other's pixels: the background shown while a file is open
// differs from the start's only in its hint.
const char* BaseOf(const QByteArray& stem) { return stem == "background-loaded" ? "background" : nullptr; }

// The plain pixels of stem at the page area's size, or a null image.
QImage PlainPixels(const QByteArray& stem)
{
    const char* base = BaseOf(stem);
    if (!base)
        return PictureFile(stem + ".ppm").pixels;
    QImage image = PictureFile(QByteArray(base) + ".ppm").pixels;
    const Ppm strip = PictureFile(stem + "-strip.ppm");
    if (strip.pixels.isNull() || !image.rect().contains(QRect(strip.at, strip.pixels.size())))
        return {};
    const size_t rowBytes = size_t(strip.pixels.width()) * 4;
    for (int y = 0; y < strip.pixels.height(); ++y)
        std::memcpy(image.scanLine(strip.at.y() + y) + size_t(strip.at.x()) * 4,
                    strip.pixels.constScanLine(y), rowBytes);
    return image;
}

} // namespace

QImage PictureSized(const char* stem, const QSize& size)
{
    const QByteArray name(stem);
    QImage image = PlainPixels(name);
    if (image.width() < size.width() || image.height() < size.height())
        image = QImage(Picture((name + "-large.png").constData()), "png");
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace dravik::app
