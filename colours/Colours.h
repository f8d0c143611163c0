// The user interface's semantic colours, one definition for light and dark palettes, and the
// palette helpers they are chosen with.
#pragma once

#include <QColor>
#include <QPalette>

namespace colours {

// What a colour says.
enum class Tone
{
    Positive, // fine: no authorisation needed, a rule met
    Caution,  // allowed with an authorisation
    Negative, // barred, negative, a rule not met
    Neutral,  // a plain quantity that judges nothing: the chart's bars
};

// True when the palette's window background is dark.
bool isDark(const QPalette& palette);

// `a` moved towards `b` by `weightOfB`: 0 gives a, 1 gives b.
QColor mix(const QColor& a, const QColor& b, qreal weightOfB);

// The tone for text: a contrast of at least 4.5:1 with the palette's Window and Base.
QColor textColour(Tone tone, const QPalette& palette);

// The tone for filled bands and lines: a contrast of at least 3:1 with the palette's Window.
QColor bandColour(Tone tone, const QPalette& palette);

// `palette` with WindowText and Text in the tone's text colour, for a widget's setPalette().
// The colour suits the palette's backgrounds of the moment: set it again when they change.
QPalette withTextTone(QPalette palette, Tone tone);

} // namespace colours
