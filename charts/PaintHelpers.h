// Helpers shared by the painted widgets: percent labels, a bold font, and labels kept apart.
#pragma once

#include <QFont>
#include <QString>

#include <utility>

namespace charts {

// A whole percentage as the widgets label it: "75 %".
QString percentText(int percent);

// `font` in bold.
QFont boldFont(QFont font);

// Two labels' centres along one axis, `first` before `second`, moved apart by equal amounts so
// that they stand at least `distance` apart; unchanged when they already do.
std::pair<qreal, qreal> spreadApart(qreal first, qreal second, qreal distance);

} // namespace charts
