// Helpers shared by the painted widgets: percent labels, a bold font, and labels kept apart.
#include "PaintHelpers.h"

namespace charts {

QString percentText(int percent)
{
    return QString::number(percent) + QStringLiteral(" %");
}

QFont boldFont(QFont font)
{
    font.setBold(true);
    return font;
}

std::pair<qreal, qreal> spreadApart(qreal first, qreal second, qreal distance)
{
    const qreal overlap = distance - (second - first);
    if (overlap <= 0)
        return {first, second};
    return {first - overlap / 2, second + overlap / 2};
}

} // namespace charts
