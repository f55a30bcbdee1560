#pragma once
// The pictures compiled into the program (res/resources.qrc). The GUI code lives in a static
// library, whose resources must be registered by hand before the first use.
#include <QImage>
#include <QSize>
#include <QString>

namespace dravik::app {

void EnsureResources();

// The resource path of a picture with words in it ("background.png"), drawn in the interface's
// language when there is such a drawing.
QString Picture(const char* name);

// The picture stem ("background") for an area of this size. stem.ppm holds the plain pixels for
// the size the area has with the editor's font and is then shown as it is: decoding and scaling a
// picture was most of what the window did before its first paint. For another size it is scaled,
// from the larger drawing stem-large.png when the area is larger than stem.ppm.
QImage PictureSized(const char* stem, const QSize& size);

} // namespace dravik::app
