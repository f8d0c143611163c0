// DebtGauge: live debt as a percentage of current revenue, drawn against the bands of the
// borrowing rules in force.
#include "DebtGauge.h"

#include "Colours.h"
#include "Messages.h"
#include "PaintHelpers.h"
#include "Verdict.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

constexpr int ScaleStep = 50;
// Dims the scale behind the negative net savings warning.
constexpr qreal DimmedOpacity = 0.6;

// Vertical layout in units of the font's line height: padding, the ratio's label, the marker's
// triangle, the bar, the tick marks, the tick labels, padding.
constexpr qreal PaddingLines = 0.15;
constexpr qreal TriangleLines = 0.55;
constexpr qreal TickLines = 0.25;
constexpr qreal WarningScale = 1.2;

} // namespace

DebtGauge::DebtGauge(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(reports::gaugeName());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DebtGauge::setReading(std::optional<long double> ratioPercent, const QString& ratioText,
                           bool negativeNetSavings, const QString& outcomeText)
{
    if (ratioPercent && std::isnan(*ratioPercent))
        ratioPercent.reset();
    if (ratioPercent == m_ratio && ratioText == m_ratioText &&
        negativeNetSavings == m_negativeNetSavings && outcomeText == m_outcomeText)
        return;
    m_ratio = ratioPercent;
    m_ratioText = ratioText;
    m_negativeNetSavings = negativeNetSavings;
    m_outcomeText = outcomeText;

    setAccessibleDescription(reports::gaugeDescription(ratioText, outcomeText));
    update();
}

int DebtGauge::scaleEnd() const
{
    if (!m_ratio || *m_ratio <= MinScaleEnd)
        return MinScaleEnd;
    if (*m_ratio >= MaxScaleEnd)
        return MaxScaleEnd;
    return static_cast<int>(std::ceil(*m_ratio / ScaleStep)) * ScaleStep;
}

QFont DebtGauge::warningFont() const
{
    QFont larger = boldFont(font());
    if (larger.pointSizeF() > 0)
        larger.setPointSizeF(larger.pointSizeF() * WarningScale);
    else
        larger.setPixelSize(qRound(larger.pixelSize() * WarningScale));
    return larger;
}

QRect DebtGauge::barRect() const
{
    const int line = fontMetrics().height();
    const int labelLine = QFontMetrics(boldFont(font())).height();
    const int padding = qRound(line * PaddingLines);
    const int triangle = qRound(line * TriangleLines);
    // The triangle may reach past the bar's ends.
    const int inset = triangle;
    const int top =
        std::max(0, (height() - sizeHint().height()) / 2) + padding + labelLine + triangle;
    return {inset, top, std::max(1, width() - 2 * inset), line};
}

QSize DebtGauge::sizeHint() const
{
    const QSize minimum = minimumSizeHint();
    constexpr int PreferredWidthInLines = 24;
    return {std::max(minimum.width(), fontMetrics().height() * PreferredWidthInLines),
            minimum.height()};
}

QSize DebtGauge::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const int height = qRound(line * (2 * PaddingLines + TriangleLines + 1 + TickLines + 1)) +
                       QFontMetrics(boldFont(font())).height();

    // The threshold labels side by side on the shortest scale, and the warning whole.
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    const int labels = metrics.horizontalAdvance(percentText(rules.authorisationAbove)) / 2 +
                       metrics.horizontalAdvance(percentText(rules.forbiddenAbove)) / 2 + line;
    const int scale = labels * MinScaleEnd / (rules.forbiddenAbove - rules.authorisationAbove);
    const int warning =
        QFontMetrics(warningFont()).horizontalAdvance(reports::negativeSavingsWarning()) + line;
    return {std::max(scale, warning) + 2 * qRound(line * TriangleLines), height};
}

qreal DebtGauge::xOf(long double percent, const QRect& bar) const
{
    const long double end = scaleEnd();
    const long double clamped = std::clamp(percent, 0.0L, end);
    return bar.left() + static_cast<qreal>(clamped / end) * bar.width();
}

void DebtGauge::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect bar = barRect();
    drawScale(painter, bar);
    if (m_ratio)
        drawMarker(painter, bar);
    if (m_negativeNetSavings)
        drawNegativeSavings(painter, bar);
}

void DebtGauge::drawScale(QPainter& painter, const QRect& bar) const
{
    const QPalette& pal = palette();
    using colours::Tone;
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    const qreal authorisation = xOf(rules.authorisationAbove, bar);
    const qreal forbidden = xOf(rules.forbiddenAbove, bar);
    const qreal top = bar.top();
    const qreal height = bar.height();
    painter.fillRect(QRectF(bar.left(), top, authorisation - bar.left(), height),
                     colours::bandColour(Tone::Positive, pal));
    painter.fillRect(QRectF(authorisation, top, forbidden - authorisation, height),
                     colours::bandColour(Tone::Caution, pal));
    painter.fillRect(QRectF(forbidden, top, bar.left() + bar.width() - forbidden, height),
                     colours::bandColour(Tone::Negative, pal));
    constexpr qreal FrameWeight = 0.5;
    painter.setPen(QPen(
        colours::mix(pal.color(QPalette::Window), pal.color(QPalette::WindowText), FrameWeight),
        1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, -0.5));

    // Tick marks at the thresholds; their labels centred under them, pushed apart when the
    // scale is long enough to crowd them, and the scale's ends labelled where room is left.
    const QFontMetrics metrics = fontMetrics();
    const qreal tickBottom = bar.bottom() + 1 + metrics.height() * TickLines;
    painter.setPen(QPen(pal.color(QPalette::WindowText), 1));
    for (qreal x : {authorisation, forbidden})
        painter.drawLine(QPointF(x, bar.bottom() + 1), QPointF(x, tickBottom));

    const qreal gap = metrics.averageCharWidth();
    const auto centred = [&](const QString& text, qreal x) {
        const qreal width = metrics.horizontalAdvance(text);
        return QRectF(x - width / 2, tickBottom, width, metrics.height());
    };
    const QString authorisationText = percentText(rules.authorisationAbove);
    const QString forbiddenText = percentText(rules.forbiddenAbove);
    const qreal apart =
        (metrics.horizontalAdvance(authorisationText) + metrics.horizontalAdvance(forbiddenText)) /
            2.0 +
        gap;
    const auto [authorisationX, forbiddenX] = spreadApart(authorisation, forbidden, apart);
    const QRectF authorisationLabel = centred(authorisationText, authorisationX);
    const QRectF forbiddenLabel = centred(forbiddenText, forbiddenX);
    const QString startText = percentText(0);
    const QString endText = percentText(scaleEnd());
    const QRectF startLabel(bar.left(), tickBottom, metrics.horizontalAdvance(startText),
                            metrics.height());
    const qreal endWidth = metrics.horizontalAdvance(endText);
    const QRectF endLabel(bar.left() + bar.width() - endWidth, tickBottom, endWidth,
                          metrics.height());

    painter.setFont(font());
    painter.drawText(authorisationLabel, Qt::AlignCenter, authorisationText);
    painter.drawText(forbiddenLabel, Qt::AlignCenter, forbiddenText);
    if (startLabel.right() + gap <= authorisationLabel.left())
        painter.drawText(startLabel, Qt::AlignLeft | Qt::AlignVCenter, startText);
    if (forbiddenLabel.right() + gap <= endLabel.left())
        painter.drawText(endLabel, Qt::AlignRight | Qt::AlignVCenter, endText);
}

void DebtGauge::drawMarker(QPainter& painter, const QRect& bar) const
{
    const QPalette& pal = palette();
    const QColor ink = pal.color(QPalette::WindowText);
    const qreal line = fontMetrics().height();
    const qreal x = xOf(*m_ratio, bar);

    // A line through the bar, with a halo of the background so that it stands out on every
    // band.
    const qreal penWidth = std::max<qreal>(2, line / 7);
    const QLineF through(x, bar.top(), x, bar.bottom() + 1);
    painter.setPen(QPen(pal.color(QPalette::Window), penWidth + 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(through);
    painter.setPen(QPen(ink, penWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(through);

    const qreal triangle = std::round(line * TriangleLines);
    QPainterPath arrow;
    constexpr qreal HalfBase = 0.7;
    arrow.moveTo(x - triangle * HalfBase, bar.top() - triangle);
    arrow.lineTo(x + triangle * HalfBase, bar.top() - triangle);
    arrow.lineTo(x, bar.top());
    arrow.closeSubpath();
    painter.fillPath(arrow, ink);

    // The ratio's text above the triangle, kept inside the widget.
    const QFont bold = boldFont(font());
    const QFontMetrics metrics(bold);
    const qreal textWidth = metrics.horizontalAdvance(m_ratioText);
    const qreal left = std::clamp(x - textWidth / 2, 0.0, std::max(0.0, width() - textWidth));
    painter.setFont(bold);
    painter.setPen(ink);
    painter.drawText(
        QRectF(left, bar.top() - triangle - metrics.height(), textWidth, metrics.height()),
        Qt::AlignCenter, m_ratioText);
}

void DebtGauge::drawNegativeSavings(QPainter& painter, const QRect& bar) const
{
    const QColor background = palette().color(QPalette::Window);
    QColor veil = background;
    veil.setAlphaF(static_cast<float>(DimmedOpacity));
    painter.fillRect(rect(), veil);

    // The warning on a plate of the background, so that no band lessens its contrast.
    const QFont warning = warningFont();
    const QFontMetrics metrics(warning);
    const QColor red = colours::textColour(colours::Tone::Negative, palette());
    const qreal line = fontMetrics().height();
    const qreal plateWidth = metrics.horizontalAdvance(reports::negativeSavingsWarning()) + line;
    const qreal plateHeight = metrics.height() + line / 4;
    const QRectF plate((width() - plateWidth) / 2, bar.center().y() + 0.5 - plateHeight / 2,
                       plateWidth, plateHeight);
    painter.setPen(QPen(red, 1));
    painter.setBrush(background);
    painter.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), line / 4, line / 4);
    painter.setFont(warning);
    painter.drawText(plate, Qt::AlignCenter, reports::negativeSavingsWarning());
}

} // namespace charts
