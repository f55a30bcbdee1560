#include "widgets/Marks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace dravik::widgets {

namespace {

// How far a tint moves from the background towards its hue. With the changed mark's hue this
// gives the pale amber of earlier versions on a white background.
constexpr double kTintShare = 65.0 / 255.0;

QColor Mix(const QColor& from, const QColor& to, double share)
{
    const auto part = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(part(from.red(), to.red()), part(from.green(), to.green()), part(from.blue(), to.blue()));
}

QColor Tint(const QPalette& palette, const QColor& hue)
{
    return Mix(palette.color(QPalette::Active, QPalette::Base), hue, kTintShare);
}

double Luminance(const QColor& c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

bool IsDark(const QPalette& palette)
{
    return Luminance(palette.color(QPalette::Active, QPalette::Base)) <
           Luminance(palette.color(QPalette::Active, QPalette::Text));
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette()
{
    QPalette p;
    const QColor face(53, 53, 53), base(35, 35, 35), text(235, 235, 235), muted(128, 128, 128);
    for (const auto& [role, colour] : {std::pair{QPalette::Window, face},
                                       {QPalette::Button, face},
                                       {QPalette::Base, base},
                                       {QPalette::AlternateBase, face},
                                       {QPalette::ToolTipBase, face},
                                       {QPalette::WindowText, text},
                                       {QPalette::Text, text},
                                       {QPalette::ButtonText, text},
                                       {QPalette::ToolTipText, text},
                                       {QPalette::BrightText, QColor(255, 120, 110)},
                                       {QPalette::PlaceholderText, muted},
                                       {QPalette::Highlight, QColor(42, 130, 218)},
                                       {QPalette::HighlightedText, text},
                                       {QPalette::Link, QColor(100, 170, 255)},
                                       {QPalette::Light, face.lighter(150)},
                                       {QPalette::Midlight, face.lighter(125)},
                                       {QPalette::Mid, face.darker(130)},
                                       {QPalette::Dark, face.darker(160)},
                                       {QPalette::Shadow, QColor(10, 10, 10)}})
        p.setColor(role, colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, muted);
    return p;
}

QColor ChangedMark(const QPalette& palette) { return Tint(palette, QColor(255, 196, 0)); }

QColor ReferenceMark(const QPalette& palette) { return Tint(palette, QColor(0, 140, 255)); }

QColor FaultText(const QPalette& palette)
{
    return IsDark(palette) ? QColor(255, 120, 110) : QColor(200, 0, 0);
}

QColor ChartValues(const QPalette&) { return QColor(215, 100, 0); }

QColor ChartReference(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Active, QPalette::Base),
               palette.color(QPalette::Active, QPalette::Text), 0.45);
}

QColor CheckedButtonFace(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Active, QPalette::Button),
               palette.color(QPalette::Active, QPalette::Highlight), 0.4);
}

} // namespace dravik::widgets
