#include "app/PagePicture.h"

#include <QPaintEvent>
#include <QPainter>

namespace dravik::app {

PagePicture::PagePicture(const QSize& designed, QWidget* parent) : QWidget(parent), designed_(designed)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is the picture's
    plain_[0] = PlainPixels(Stem());
}

void PagePicture::SetLoaded(bool loaded)
{
    if (loaded == loaded_)
        return;
    loaded_ = loaded;
    if (loaded && plain_[1].pixels.isNull())
        plain_[1] = PlainPixels(Stem());
    update();
}

void PagePicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const PlainPicture& plain = plain_[loaded_];
    const qreal ratio = devicePixelRatio();
    if (ratio == 1 && size() == designed_ && plain.pixels.size() == designed_) {
        const QRect r = event->rect() & rect();
        painter.drawImage(r.topLeft(), plain.pixels, r);
        if (!plain.strip.isNull())
            painter.drawImage(plain.at, plain.strip);
        scaled_ = QImage(); // back at its designed size
        return;
    }
    // The picture at the page area's designed size, scaled smoothly to the pixels it covers.
    const QSize pixels = size() * ratio;
    if (scaled_.size() != pixels || scaledLoaded_ != loaded_) {
        scaled_ =
            PictureSized(Stem(), designed_).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_.setDevicePixelRatio(ratio);
        scaledLoaded_ = loaded_;
    }
    if (scaled_.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(QPoint(0, 0), scaled_);
}

} // namespace dravik::app
