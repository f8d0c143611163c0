// The semantic colours: readable as text and as bands on light and dark palettes, including
// backgrounds greyer than the ones they were chosen on, and each tone keeps its hue.
#include "Colours.h"

#include "PaletteTesting.h"

#include <gtest/gtest.h>

using colours::Tone;

namespace {

struct PaletteRow
{
    const char* name;
    bool dark;
    // Replace the plain palette's Window and Base when valid.
    QColor window, base;

    friend void PrintTo(const PaletteRow& row, std::ostream* os) { *os << row.name; }
};

class ColoursTest : public testing::TestWithParam<PaletteRow>
{
};

// Hues in degrees; red wraps around 0.
bool hueWithin(const QColor& colour, int from, int to)
{
    const int hue = colour.hsvHue();
    return from <= to ? hue >= from && hue <= to : hue >= from || hue <= to;
}

TEST_P(ColoursTest, tonesAreReadableAndKeepTheirHue)
{
    const PaletteRow& row = GetParam();
    QPalette palette = testsupport::paletteOf(row.dark);
    if (row.window.isValid()) {
        palette.setColor(QPalette::Window, row.window);
        palette.setColor(QPalette::Base, row.base);
    }
    const QColor window = palette.color(QPalette::Window);
    const QColor base = palette.color(QPalette::Base);
    struct Expected
    {
        Tone tone;
        int fromHue, toHue;
    };
    for (const Expected e :
         {Expected{Tone::Positive, 90, 150}, Expected{Tone::Caution, 20, 45},
          Expected{Tone::Negative, 350, 10}, Expected{Tone::Neutral, 200, 230}}) {
        const QColor text = colours::textColour(e.tone, palette);
        const QColor band = colours::bandColour(e.tone, palette);
        SCOPED_TRACE(testing::Message()
                     << "tone " << static_cast<int>(e.tone) << ": text " << qPrintable(text.name())
                     << ", band " << qPrintable(band.name()));
        EXPECT_GE(testsupport::contrast(text, window), 4.5);
        EXPECT_GE(testsupport::contrast(text, base), 4.5);
        EXPECT_GE(testsupport::contrast(band, window), 3.0);
        EXPECT_TRUE(hueWithin(text, e.fromHue, e.toHue));
        EXPECT_TRUE(hueWithin(band, e.fromHue, e.toHue));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, ColoursTest,
    testing::Values(PaletteRow{"light", false, {}, {}}, PaletteRow{"dark", true, {}, {}},
                    PaletteRow{"greyLight", false, QColor(0xd4, 0xd4, 0xd4), QColor(Qt::white)},
                    PaletteRow{"greyDark", true, QColor(0x50, 0x50, 0x50),
                               QColor(0x45, 0x45, 0x45)}),
    [](const testing::TestParamInfo<PaletteRow>& info) { return std::string(info.param.name); });

} // namespace
