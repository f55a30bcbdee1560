#include "widgets/DialogUnits.h"

#include <QFontMetrics>
#include <system_error>
#include <thread>

#ifdef DRAVIK_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace dravik::widgets {

namespace {

struct FontsAhead {
    std::thread reading;
    ~FontsAhead() { Await(); }
    void Await()
    {
        if (reading.joinable())
            reading.join();
    }
};

FontsAhead& Ahead()
{
    static FontsAhead ahead;
    return ahead;
}

} // namespace

void ReadFontsAhead()
{
#ifdef DRAVIK_FONTCONFIG
    // fontconfig's set-up is safe from any thread: whichever finishes first is kept.
    if (Ahead().reading.joinable())
        return;
    try {
        Ahead().reading = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare (a process or memory limit): the first font use reads it instead.
    }
#endif
}

DialogUnits::DialogUnits(const QFont& font)
{
    Ahead().Await();
    const QFontMetrics fm(font);
    static const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    charWidth_ = (fm.horizontalAdvance(sample) / 26 + 1) / 2;
    charHeight_ = fm.height();
}

int DialogUnits::X(int units) const { return (units * charWidth_ + 2) / 4; }
int DialogUnits::Y(int units) const { return (units * charHeight_ + 4) / 8; }
QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(X(x), Y(y), X(width), Y(height));
}
QSize DialogUnits::Size(int width, int height) const { return QSize(X(width), Y(height)); }

QFont EditorFont()
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

} // namespace dravik::widgets
