// Colours drawn over the palette: whether its background is dark, and blends of two colours.
#include "PaletteColours.h"

namespace app {

bool isDark(const QPalette& palette)
{
    constexpr qreal HalfLightness = 0.5;
    return palette.color(QPalette::Window).lightnessF() < HalfLightness;
}

QColor mix(const QColor& a, const QColor& b, qreal weightOfB)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * weightOfB),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * weightOfB),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * weightOfB));
}

} // namespace app
