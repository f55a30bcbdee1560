#pragma once
// The picture the page area shows while no page is: the start picture, without its hint to open a
// file while one is open. At the size it was drawn for it is painted from the plain pixels
// compiled into the program (PlainPixels), converted for the screen span by span as it is drawn:
// a copy of its own would be a megabyte of fresh memory at every start. At any other size (a
// larger window, another font) it is painted from a copy scaled once for that size.
#include <QImage>
#include <QSize>
#include <QWidget>

#include "app/Resources.h"

namespace dravik::app {

class PagePicture : public QWidget {
public:
    // designed: the page area's size with the window's font.
    explicit PagePicture(const QSize& designed, QWidget* parent = nullptr);

    void SetLoaded(bool loaded);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const char* Stem() const { return loaded_ ? "background-loaded" : "background"; }

    QSize designed_;
    bool loaded_ = false;
    PlainPicture plain_[2]; // without and with a file, the second read when first needed
    QImage scaled_;         // at the size of the last paint that could not use the plain pixels
    bool scaledLoaded_ = false;
};

} // namespace dravik::app
