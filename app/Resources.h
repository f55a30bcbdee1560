#pragma once
// The pictures compiled into the program (res/resources.qrc). The GUI code lives in a static
// library, whose resources must be registered by hand before the first use.
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace dravik::app {

void EnsureResources();

// The resource path of a picture with words in it ("background.png"), drawn in the interface's
// language when there is such a drawing.
QString Picture(const char* name);

// The plain pixels of a picture stem (stem.ppm), read where the program was loaded: views over
// bytes that stay while the program runs, with no copy. A picture that differs from another only in
// a rectangle is that other's pixels with the rectangle (strip) to draw over them at `at`: the
// background shown while a file is open ("background-loaded") differs from the start's only in its
// hint. Null pixels when stem has no plain pixels.
struct PlainPicture {
    QImage pixels;
    QImage strip; // null for none
    QPoint at;
};
PlainPicture PlainPixels(const char* stem);

// The picture stem ("background") for an area of this size. stem.ppm holds the plain pixels for
// the size the area has with the editor's font and is then shown as it is: decoding and scaling a
// picture was most of what the window did before its first paint. For another size it is scaled,
// from the larger drawing stem-large.png when the area is larger than stem.ppm.
QImage PictureSized(const char* stem, const QSize& size);

} // namespace dravik::app
