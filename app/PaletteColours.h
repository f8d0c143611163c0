// Colours drawn over the palette: whether its background is dark, and blends of two colours.
#pragma once

#include <QColor>
#include <QPalette>

namespace app {

// True when the palette's window background is dark, so that a drawing takes its colours for a
// dark background.
bool isDark(const QPalette& palette);

// `a` moved towards `b` by `weightOfB`: 0 gives a, 1 gives b.
QColor mix(const QColor& a, const QColor& b, qreal weightOfB);

} // namespace app
