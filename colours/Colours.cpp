// The user interface's semantic colours, one definition for light and dark palettes, and the
// palette helpers they are chosen with.
#include "Colours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace colours {

namespace {

struct Shades
{
    QRgb text;
    QRgb band;
};

// Indexed by Tone. Chosen on Window #efefef and Base #ffffff (light) and on Window #353535 and
// Base #2a2a2a (dark).
constexpr std::array<Shades, 4> LightShades{{
    {0x007f00, 0x2e7d32},
    {0xa04f00, 0xc86400},
    {0xc00000, 0xc62828},
    {0x2f62a0, 0x3f76b4},
}};
constexpr std::array<Shades, 4> DarkShades{{
    {0x4cbb5a, 0x4cbb5a},
    {0xf59a2a, 0xf59a2a},
    {0xff8080, 0xef5350},
    {0x7fb0e6, 0x4f8ac6},
}};

constexpr qreal TextContrast = 4.5;
constexpr qreal BandContrast = 3.0;

const Shades& shadesOf(Tone tone, bool dark)
{
    return (dark ? DarkShades : LightShades)[static_cast<std::size_t>(tone)];
}

// Relative luminance and contrast ratio as accessibility guidelines define them.
qreal luminance(const QColor& colour)
{
    const auto linear = [](qreal v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

qreal contrast(const QColor& a, const QColor& b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The shade as it is on the palettes it was chosen on; on a lighter dark or a darker light
// background, the nearest step towards white or black that keeps `ratio` against every
// background. When no step does (backgrounds at both ends), the shade as it is.
QColor withContrast(QRgb shade, std::initializer_list<QColor> backgrounds, qreal ratio, bool dark)
{
    const QColor start = QColor::fromRgb(shade);
    const QColor end = dark ? QColor(Qt::white) : QColor(Qt::black);
    constexpr int Steps = 20;
    for (int step = 0; step <= Steps; ++step) {
        const QColor candidate = mix(start, end, static_cast<qreal>(step) / Steps);
        if (std::all_of(backgrounds.begin(), backgrounds.end(),
                        [&](const QColor& b) { return contrast(candidate, b) >= ratio; }))
            return candidate;
    }
    return start;
}

} // namespace

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

QColor textColour(Tone tone, const QPalette& palette)
{
    const bool dark = isDark(palette);
    return withContrast(shadesOf(tone, dark).text,
                        {palette.color(QPalette::Window), palette.color(QPalette::Base)},
                        TextContrast, dark);
}

QColor bandColour(Tone tone, const QPalette& palette)
{
    const bool dark = isDark(palette);
    return withContrast(shadesOf(tone, dark).band, {palette.color(QPalette::Window)}, BandContrast,
                        dark);
}

QPalette withTextTone(QPalette palette, Tone tone)
{
    const QColor colour = textColour(tone, palette);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    return palette;
}

} // namespace colours
