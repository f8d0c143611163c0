// The user interface's colours, each named for what it shows and defined for light and dark
// palettes, and the palette helpers they are chosen with.
#include "Colours.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace colours {

namespace {

struct Shades
{
    QRgb text;
    QRgb band;
};

// Indexed by Tone. Chosen on Window #efefef and Base #ffffff (light) and on Window #353535 and
// Base #2a2a2a (dark). The headings' light shades are the form's own, blue, red, maroon and teal
// as it was designed; the contrast rule darkens the ones too light for their background.
constexpr std::array<Shades, 10> LightShades{{
    {0x007f00, 0x2e7d32},
    {0xa04f00, 0xc86400},
    {0xc00000, 0xc62828},
    {0x2f62a0, 0x3f76b4},
    {0x0000ff, 0x0000ff},
    {0xff0000, 0xff0000},
    {0x800000, 0x800000},
    {0x008080, 0x008080},
    {0xff0000, 0xff0000},
    {0x6d6d6d, 0x6d6d6d},
}};
constexpr std::array<Shades, 10> DarkShades{{
    {0x4cbb5a, 0x4cbb5a},
    {0xf59a2a, 0xf59a2a},
    {0xff8080, 0xef5350},
    {0x7fb0e6, 0x4f8ac6},
    {0x8ab4ff, 0x8ab4ff},
    {0xff7b72, 0xff7b72},
    {0xd29a9a, 0xd29a9a},
    {0x4fd1c5, 0x4fd1c5},
    {0xff7b72, 0xff7b72},
    {0xb4b4b4, 0xb4b4b4},
}};

// Indexed by Fill: light, dark. The light ones are the form's own; the dark ones keep their hue
// deep enough for light text.
constexpr std::array<std::array<QRgb, 2>, 5> FillShades{{
    {0xfffbf0, 0x3d3a31},
    {0xffff00, 0x575000},
    {0xc0dcc0, 0x2f4a34},
    {0x00ff00, 0x1f5a12},
    {0xd4d0c8, 0x4a4843},
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
QColor withContrast(QRgb shade, const QList<QColor>& backgrounds, qreal ratio, bool dark)
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
    return textColourOn(tone, palette,
                        {palette.color(QPalette::Window), palette.color(QPalette::Base)});
}

QColor textColourOn(Tone tone, const QPalette& palette, const QList<QColor>& backgrounds)
{
    const bool dark = isDark(palette);
    return withContrast(shadesOf(tone, dark).text, backgrounds, TextContrast, dark);
}

QColor bandColour(Tone tone, const QPalette& palette)
{
    const bool dark = isDark(palette);
    return withContrast(shadesOf(tone, dark).band, {palette.color(QPalette::Window)}, BandContrast,
                        dark);
}

QColor fillColour(Fill fill, const QPalette& palette)
{
    return QColor::fromRgb(FillShades[static_cast<std::size_t>(fill)][isDark(palette) ? 1 : 0]);
}

QColor outlineColour(const QPalette& palette)
{
    return QColor::fromRgb(isDark(palette) ? 0x6b6b6b : 0x9a9a9a);
}

QPalette withTextTone(QPalette palette, Tone tone)
{
    const QColor colour = textColour(tone, palette);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    return palette;
}

QPalette printPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

} // namespace colours
