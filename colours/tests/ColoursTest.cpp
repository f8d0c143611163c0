// The colours: readable as text and as bands on light and dark palettes, including backgrounds
// greyer than the ones they were chosen on, and each tone and fill keeps its hue.
#include "Colours.h"

#include "PaletteTesting.h"

#include <gtest/gtest.h>

using colours::Fill;
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

// Hues in degrees; red wraps around 0; -1 to -1 is grey.
bool hueWithin(const QColor& colour, int from, int to)
{
    const int hue = colour.hsvHue();
    return from <= to ? hue >= from && hue <= to : hue >= from || hue <= to;
}

QPalette paletteFor(const PaletteRow& row)
{
    QPalette palette = testsupport::paletteOf(row.dark);
    if (row.window.isValid()) {
        palette.setColor(QPalette::Window, row.window);
        palette.setColor(QPalette::Base, row.base);
    }
    return palette;
}

TEST_P(ColoursTest, tonesAreReadableAndKeepTheirHue)
{
    const QPalette palette = paletteFor(GetParam());
    const QColor window = palette.color(QPalette::Window);
    const QColor base = palette.color(QPalette::Base);
    struct Expected
    {
        Tone tone;
        int fromHue, toHue;
    };
    for (const Expected e :
         {Expected{Tone::Positive, 90, 150}, Expected{Tone::Caution, 20, 45},
          Expected{Tone::Negative, 350, 10}, Expected{Tone::Neutral, 200, 230},
          Expected{Tone::Revenue, 210, 250}, Expected{Tone::Expenditure, 350, 10},
          Expected{Tone::Debt, 350, 10}, Expected{Tone::Savings, 165, 185},
          Expected{Tone::Emphasis, 350, 10}, Expected{Tone::Computed, -1, -1}}) {
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

// A fill keeps its hue, stays on its palette's side of light and dark, and carries the text
// that stands on it: a worked-out figure in a field, and a heading on a panel.
TEST_P(ColoursTest, fillsKeepTheirHueAndCarryTheirText)
{
    const PaletteRow& row = GetParam();
    const QPalette palette = paletteFor(row);
    struct Expected
    {
        Fill fill;
        int fromHue, toHue;
        Tone text;
    };
    for (const Expected e : {Expected{Fill::Panel, 35, 55, Tone::Expenditure},
                             Expected{Fill::Panel, 35, 55, Tone::Savings},
                             Expected{Fill::Result, 50, 65, Tone::Computed},
                             Expected{Fill::Savings, 110, 140, Tone::Computed},
                             Expected{Fill::Payment, 100, 125, Tone::Computed},
                             Expected{Fill::ReadOnly, 30, 50, Tone::Computed}}) {
        const QColor fill = colours::fillColour(e.fill, palette);
        const QColor text = colours::textColourOn(e.text, palette, {fill});
        SCOPED_TRACE(testing::Message()
                     << "fill " << static_cast<int>(e.fill) << ": " << qPrintable(fill.name())
                     << ", text " << qPrintable(text.name()));
        EXPECT_TRUE(hueWithin(fill, e.fromHue, e.toHue));
        EXPECT_EQ(fill.lightnessF() < 0.5, row.dark);
        EXPECT_GE(testsupport::contrast(text, fill), 4.5);
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
