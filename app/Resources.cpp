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

// A binary PPM ("P6 WIDTH HEIGHT 255", then three bytes a pixel) as a view over its bytes, and
// where a strip goes: a comment "# at X Y" in its header. Null for anything that is not such a PPM.
QImage PpmView(const QByteArray& bytes, QPoint* at)
{
    int field[3] = {};
    qsizetype next = 2;
    if (!bytes.startsWith("P6"))
        return {};
    for (int& value : field) {
        const qsizetype start = next;
        while (next < bytes.size() && (QChar::isSpace(uchar(bytes[next])) || bytes[next] == '#')) {
            if (bytes[next] != '#') {
                ++next;
                continue;
            }
            const qsizetype end = bytes.indexOf('\n', next);
            if (end < 0)
                return {};
            const QList<QByteArray> words = bytes.mid(next + 1, end - next - 1).simplified().split(' ');
            if (words.size() == 3 && words[0] == "at")
                *at = QPoint(words[1].toInt(), words[2].toInt());
            next = end;
        }
        if (next == start)
            return {};
        const qsizetype digits = next;
        while (next < bytes.size() && bytes[next] >= '0' && bytes[next] <= '9' && value <= 65535)
            value = value * 10 + (bytes[next++] - '0');
        if (next == digits || value < 1 || value > 65535)
            return {};
    }
    const qsizetype stride = qsizetype(field[0]) * 3;
    if (field[2] != 255 || next >= bytes.size() || !QChar::isSpace(uchar(bytes[next])) ||
        bytes.size() - next - 1 < stride * field[1])
        return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData() + next + 1), field[0], field[1], stride,
                  QImage::Format_RGB888);
}

// The resource is stored uncompressed, so its bytes are where the program was loaded and stay
// there while it runs: the view needs no copy.
QImage PictureView(const QByteArray& name, QPoint* at)
{
    const QResource resource(Picture(name.constData()));
    if (resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return PpmView(QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size()),
                   at);
}

// A picture that differs from another only in a rectangle is kept as that rectangle
// (STEM-strip.ppm) and drawn over the other's pixels: the background shown while a file is open
// differs from the start's only in its hint.
const char* BaseOf(const QByteArray& stem) { return stem == "background-loaded" ? "background" : nullptr; }

} // namespace

PlainPicture PlainPixels(const char* stem)
{
    const QByteArray name(stem);
    PlainPicture picture;
    const char* base = BaseOf(name);
    QPoint unused;
    picture.pixels = PictureView(QByteArray(base ? base : stem) + ".ppm", &unused);
    if (!base || picture.pixels.isNull())
        return picture;
    picture.strip = PictureView(name + "-strip.ppm", &picture.at);
    if (picture.strip.isNull() || !picture.pixels.rect().contains(QRect(picture.at, picture.strip.size())))
        return {};
    return picture;
}

QImage PictureSized(const char* stem, const QSize& size)
{
    const QByteArray name(stem);
    const PlainPicture plain = PlainPixels(stem);
    QImage image;
    if (plain.pixels.width() < size.width() || plain.pixels.height() < size.height()) {
        image = QImage(Picture((name + "-large.png").constData()), "png");
    } else {
        image = plain.pixels.convertToFormat(QImage::Format_RGB32); // a copy of its own
        const QImage strip = plain.strip.convertToFormat(QImage::Format_RGB32);
        const size_t rowBytes = size_t(strip.width()) * 4;
        for (int y = 0; y < strip.height(); ++y)
            std::memcpy(image.scanLine(plain.at.y() + y) + size_t(plain.at.x()) * 4, strip.constScanLine(y),
                        rowBytes);
    }
    if (image.isNull() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace dravik::app
