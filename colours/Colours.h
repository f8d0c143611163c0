// The user interface's colours, each named for what it shows and defined for light and dark
// palettes, and the palette helpers they are chosen with.
#pragma once

#include <QColor>
#include <QList>
#include <QPalette>

namespace colours {

// What a text, band or line says.
enum class Tone
{
    Positive,    // fine: no authorisation needed, a rule met
    Caution,     // allowed with an authorisation
    Negative,    // barred, negative, a rule not met
    Neutral,     // a plain quantity that judges nothing: the chart's bars
    Revenue,     // revenue, and the loans and capital weighed against it: blue headings
    Expenditure, // expenditure and the financial burden: red headings
    Debt,        // the debt already in force: maroon headings
    Savings,     // the savings worked out: teal headings
    Emphasis,    // a remark or a command that must stand out: red
    Computed,    // a figure the program works out, in a field that cannot be typed in: grey
};

// What an area of a form is filled with.
enum class Fill
{
    Panel,    // a group that stands out from the window: cream
    Result,   // a figure worked out: yellow
    Savings,  // the savings worked out: money green
    Payment,  // the loan's yearly payment: lime
    ReadOnly, // a total nobody types, should it be enabled: button face
};

// True when the palette's window background is dark.
bool isDark(const QPalette& palette);

// `a` moved towards `b` by `weightOfB`: 0 gives a, 1 gives b.
QColor mix(const QColor& a, const QColor& b, qreal weightOfB);

// The tone for text: a contrast of at least 4.5:1 with the palette's Window and Base.
QColor textColour(Tone tone, const QPalette& palette);

// The tone for text standing on `backgrounds`: at least 4.5:1 with each of them, in the shade
// for the palette's lightness.
QColor textColourOn(Tone tone, const QPalette& palette, const QList<QColor>& backgrounds);

// The tone for filled bands and lines: a contrast of at least 3:1 with the palette's Window.
QColor bandColour(Tone tone, const QPalette& palette);

// The fill in the shade for the palette's lightness.
QColor fillColour(Fill fill, const QPalette& palette);

// The outline of the window's tabs.
QColor outlineColour(const QPalette& palette);

// `palette` with WindowText and Text in the tone's text colour, for a widget's setPalette().
// The colour suits the palette's backgrounds of the moment: set it again when they change.
QPalette withTextTone(QPalette palette, Tone tone);

// What printed pictures are drawn with: black ink on white paper, whatever the screen's palette.
QPalette printPalette();

} // namespace colours
