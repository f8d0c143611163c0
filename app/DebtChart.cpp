// DebtChart: live capital year by year as bars and its ratio to current revenue as a line,
// against the thresholds of the borrowing rules in force.
#include "DebtChart.h"

#include "Colours.h"
#include "LocaleSeparators.h"
#include "NumberFormat.h"
#include "PaintHelpers.h"
#include "Verdict.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace app {

namespace {

// Layout in units of the font's line height.
constexpr qreal PaddingLines = 0.5;
constexpr qreal TickLines = 0.3;
constexpr qreal GapLines = 0.3;
// Room above the plot for the top tick label's upper half.
constexpr qreal AbovePlotLines = 0.75;
// Labelled ticks stand at least this far apart.
constexpr qreal TickSpacingLines = 1.6;
constexpr qreal SwatchLines = 0.7;
constexpr qreal LineSampleLines = 1.6;
constexpr qreal LegendSpacingLines = 1.5;
constexpr qreal MaxBarLines = 2.5;
constexpr qreal BarShareOfSlot = 0.6;
constexpr qreal DotLines = 0.22;

constexpr int MaxAmountIntervals = 5;
constexpr int PercentRounding = 10;
constexpr int MaxPercentIntervals = 6;
constexpr std::array<int, 6> PercentSteps{25, 50, 100, 200, 250, 500};
// A tick this close to a threshold's line leaves the label to the threshold.
constexpr qreal ThresholdClearanceLines = 1.2;
// Shown in thousands from this much capital, in millions from the next.
constexpr long double ThousandsFrom = 1e5L;
constexpr long double MillionsFrom = 1e8L;
// Tolerance of the scale arithmetic on round values.
constexpr long double Slack = 1e-9L;

// The smallest of 1, 2, 2.5 and 5 times a power of ten that is at least x (> 0).
long double niceStep(long double x)
{
    const long double power = std::pow(10.0L, std::floor(std::log10(x)));
    for (const long double multiple : {1.0L, 2.0L, 2.5L, 5.0L}) {
        if (multiple * power >= x * (1 - Slack))
            return multiple * power;
    }
    return 10 * power;
}

QString capitalLegend(const QString& unit)
{
    return QStringLiteral("Capital vivo (") + unit + u')';
}

QString ratioLegend()
{
    return QStringLiteral("Endeudamiento (%)");
}

QString yearCaption()
{
    return QStringLiteral("Año");
}

} // namespace

DebtChart::DebtChart(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Gráfico de la evolución de la deuda"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setYears({});
}

void DebtChart::setYears(std::vector<DebtChartYear> years, std::optional<DebtChartYear> now)
{
    const int projected = static_cast<int>(years.size());
    if (now)
        years.insert(years.begin(), *now);
    for (DebtChartYear& entry : years) {
        if (!std::isfinite(entry.capital) || entry.capital < 0)
            entry.capital = 0;
        if (entry.ratioPercent && !std::isfinite(*entry.ratioPercent))
            entry.ratioPercent.reset();
    }
    const QString description =
        projected == 0
            ? QStringLiteral("Sin datos de la evolución de la deuda")
            : QStringLiteral("Capital vivo y endeudamiento ") +
                  (now ? QStringLiteral("actuales y ") : QString()) +
                  (projected == 1 ? QStringLiteral("del próximo año")
                                  : QStringLiteral("de los próximos %1 años").arg(projected));
    setAccessibleDescription(description);
    if (years == m_entries && now.has_value() == m_hasNow)
        return;
    m_entries = std::move(years);
    m_hasNow = now.has_value();
    updateGeometry();
    update();
}

int DebtChart::legendRows() const
{
    const qreal line = fontMetrics().height();
    const auto [capital, ratio] = legendWidths();
    const qreal available = width() - 2 * line * PaddingLines;
    return capital + line * LegendSpacingLines + ratio <= available ? 1 : 2;
}

std::pair<qreal, qreal> DebtChart::legendWidths() const
{
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    return {line * (SwatchLines + GapLines) +
                metrics.horizontalAdvance(capitalLegend(amountUnit())),
            line * (LineSampleLines + GapLines) + metrics.horizontalAdvance(ratioLegend())};
}

std::pair<qreal, qreal> DebtChart::plotVerticalExtent() const
{
    const qreal line = fontMetrics().height();
    const qreal top = line * (PaddingLines + legendRows() + AbovePlotLines);
    const qreal bottom = height() - line * (PaddingLines + 1 + TickLines);
    return {top, std::max(bottom, top + 1)};
}

qreal DebtChart::leftGutter() const
{
    const QFontMetricsF metrics(font());
    qreal labels = metrics.horizontalAdvance(yearCaption());
    for (const Tick& tick : amountTicks())
        labels = std::max(labels, metrics.horizontalAdvance(tick.text));
    return metrics.height() * (PaddingLines + GapLines + TickLines) + labels;
}

qreal DebtChart::rightGutter() const
{
    const QFontMetricsF metrics(boldFont(font()));
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    qreal labels = std::max(metrics.horizontalAdvance(percentText(rules.forbiddenAbove)),
                            metrics.horizontalAdvance(percentText(percentAxisEnd())));
    return metrics.height() * (PaddingLines + GapLines + TickLines) + labels;
}

QRectF DebtChart::plotRect() const
{
    const auto [top, bottom] = plotVerticalExtent();
    const qreal left = leftGutter();
    return {left, top, std::max<qreal>(1, width() - left - rightGutter()), bottom - top};
}

QRectF DebtChart::barRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const QRectF plot = plotRect();
    const qreal slot = plot.width() / count();
    const qreal barWidth = std::min(slot * BarShareOfSlot, fontMetrics().height() * MaxBarLines);
    const long double end = amountAxisEnd();
    const long double capital = m_entries[static_cast<std::size_t>(index)].capital;
    const qreal barHeight =
        end > 0 ? static_cast<qreal>(std::min(capital / end, 1.0L)) * plot.height() : 0;
    return {plot.left() + slot * (index + 0.5) - barWidth / 2, plot.bottom() - barHeight, barWidth,
            barHeight};
}

std::optional<QPointF> DebtChart::ratioPoint(int index) const
{
    if (index < 0 || index >= count())
        return std::nullopt;
    const std::optional<long double>& ratio =
        m_entries[static_cast<std::size_t>(index)].ratioPercent;
    if (!ratio)
        return std::nullopt;
    const QRectF plot = plotRect();
    return QPointF(plot.left() + plot.width() / count() * (index + 0.5), yOfPercent(*ratio, plot));
}

qreal DebtChart::yOfPercent(long double percent, const QRectF& plot) const
{
    const long double end = percentAxisEnd();
    return plot.bottom() - static_cast<qreal>(std::clamp(percent, 0.0L, end) / end) * plot.height();
}

int DebtChart::percentAxisEnd() const
{
    long double highest = 0;
    for (const DebtChartYear& entry : m_entries) {
        if (entry.ratioPercent)
            highest = std::max(highest, *entry.ratioPercent);
    }
    if (highest <= MinPercentEnd)
        return MinPercentEnd;
    if (highest >= MaxPercentEnd)
        return MaxPercentEnd;
    return static_cast<int>(std::ceil(highest / PercentRounding - Slack)) * PercentRounding;
}

DebtChart::Scale DebtChart::amountScale() const
{
    long double highest = 0;
    for (const DebtChartYear& entry : m_entries)
        highest = std::max(highest, entry.capital);
    if (highest <= 0)
        return {0, 0};
    const auto [top, bottom] = plotVerticalExtent();
    const int intervals =
        std::clamp(static_cast<int>((bottom - top) / (fontMetrics().height() * TickSpacingLines)),
                   1, MaxAmountIntervals);
    const long double step = niceStep(highest / intervals);
    return {step, std::ceil(highest / step - Slack) * step};
}

long double DebtChart::amountAxisEnd() const
{
    return amountScale().end;
}

long double DebtChart::amountDivisor() const
{
    long double highest = 0;
    for (const DebtChartYear& entry : m_entries)
        highest = std::max(highest, entry.capital);
    if (highest >= MillionsFrom)
        return 1e6L;
    return highest >= ThousandsFrom ? 1e3L : 1;
}

QString DebtChart::amountUnit() const
{
    const long double divisor = amountDivisor();
    if (divisor == 1e6L)
        return QStringLiteral("millones de €");
    return divisor == 1e3L ? QStringLiteral("miles de €") : QStringLiteral("€");
}

std::vector<DebtChart::Tick> DebtChart::amountTicks() const
{
    const Scale scale = amountScale();
    const long double divisor = amountDivisor();
    const amount::Separators separators = amount::currentSeparators();
    std::vector<Tick> ticks;
    const auto add = [&](long double value) {
        ticks.push_back({value, amount::formatValue(value / divisor, -1,
                                                    amount::NumberFormat::Thousands, separators)});
    };
    add(0);
    if (scale.step > 0) {
        const int intervals = static_cast<int>(std::llround(scale.end / scale.step));
        for (int k = 1; k <= intervals; ++k)
            add(k * scale.step);
    }
    return ticks;
}

std::vector<DebtChart::Tick> DebtChart::percentTicks() const
{
    const int end = percentAxisEnd();
    const QRectF plot = plotRect();
    const qreal line = fontMetrics().height();
    int step = PercentSteps.back();
    for (const int candidate : PercentSteps) {
        if (candidate * MaxPercentIntervals >= end &&
            candidate * plot.height() / end >= line * TickSpacingLines) {
            step = candidate;
            break;
        }
    }
    // The thresholds carry their own labels; a tick too close to one goes unlabelled.
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    std::vector<Tick> ticks;
    for (int percent = 0; percent <= end; percent += step) {
        const qreal y = yOfPercent(percent, plot);
        const qreal clearance = line * ThresholdClearanceLines;
        if (std::abs(y - yOfPercent(rules.authorisationAbove, plot)) >= clearance &&
            std::abs(y - yOfPercent(rules.forbiddenAbove, plot)) >= clearance)
            ticks.push_back({static_cast<long double>(percent), percentText(percent)});
    }
    return ticks;
}

QSize DebtChart::sizeHint() const
{
    const QSize minimum = minimumSizeHint();
    const int line = fontMetrics().height();
    constexpr int WidthInLines = 36;
    constexpr int HeightInLines = 18;
    return {std::max(minimum.width(), line * WidthInLines),
            std::max(minimum.height(), line * HeightInLines)};
}

QSize DebtChart::minimumSizeHint() const
{
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    // Ten years and today, each year's label readable; the legend's entries one above the other.
    constexpr int MinSlots = 11;
    const int slotCount = std::max(count(), MinSlots);
    const qreal slot = metrics.horizontalAdvance(QStringLiteral("10")) + line * GapLines * 2;
    const auto [capital, ratio] = legendWidths();
    const qreal chart = leftGutter() + rightGutter() + slotCount * slot;
    const qreal legend = std::max(capital, ratio) + 2 * line * PaddingLines;
    constexpr qreal MinPlotLines = 4;
    const qreal height =
        line * (2 * PaddingLines + 2 + AbovePlotLines + MinPlotLines + TickLines + 1);
    return {qCeil(std::max(chart, legend)), qCeil(height)};
}

void DebtChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    const QRectF plot = plotRect();
    drawGrid(painter, plot);
    drawBars(painter);
    drawThresholds(painter, plot);
    drawRatioLine(painter);
    drawAxes(painter, plot);
    if (count() > 0)
        drawLegend(painter);
}

void DebtChart::drawGrid(QPainter& painter, const QRectF& plot) const
{
    constexpr qreal GridWeight = 0.15;
    const QPalette& pal = palette();
    painter.setPen(QPen(
        colours::mix(pal.color(QPalette::Window), pal.color(QPalette::WindowText), GridWeight), 1));
    const long double end = amountAxisEnd();
    for (const Tick& tick : amountTicks()) {
        if (tick.value <= 0)
            continue;
        const qreal y = plot.bottom() - static_cast<qreal>(tick.value / end) * plot.height();
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
}

void DebtChart::drawBars(QPainter& painter) const
{
    const QColor bar = colours::bandColour(colours::Tone::Neutral, palette());
    for (int i = 0; i < count(); ++i) {
        const QRectF rect = barRect(i);
        if (rect.height() <= 0)
            continue;
        // Today's bar is lighter, outlined, so that the projection reads as what follows it.
        if (m_hasNow && i == 0) {
            constexpr qreal NowFillWeight = 0.5;
            painter.setPen(QPen(bar, 1));
            painter.setBrush(colours::mix(bar, palette().color(QPalette::Window), NowFillWeight));
            painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, 0));
        } else {
            painter.fillRect(rect, bar);
        }
    }
}

void DebtChart::drawThresholds(QPainter& painter, const QRectF& plot) const
{
    using colours::Tone;
    const QPalette& pal = palette();
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    const QFont bold = boldFont(font());
    const QFontMetricsF metrics(bold);
    const qreal line = metrics.height();
    const qreal penWidth = std::max<qreal>(1.5, line / 10);
    const qreal labelLeft = plot.right() + line * (TickLines + GapLines);

    // Labels centred on their lines, pushed apart when the axis is long enough to crowd them.
    const qreal authorisationY = yOfPercent(rules.authorisationAbove, plot);
    const qreal forbiddenY = yOfPercent(rules.forbiddenAbove, plot);
    const auto [forbiddenLabel, authorisationLabel] = spreadApart(forbiddenY, authorisationY, line);
    struct Threshold
    {
        int percent;
        qreal y, labelY;
        Tone tone;
    };
    painter.setFont(bold);
    for (const Threshold& threshold :
         {Threshold{rules.authorisationAbove, authorisationY, authorisationLabel, Tone::Caution},
          Threshold{rules.forbiddenAbove, forbiddenY, forbiddenLabel, Tone::Negative}}) {
        painter.setPen(
            QPen(colours::bandColour(threshold.tone, pal), penWidth, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QPointF(plot.left(), threshold.y),
                         QPointF(plot.right() + line * TickLines, threshold.y));
        const QString text = percentText(threshold.percent);
        painter.setPen(colours::textColour(threshold.tone, pal));
        painter.drawText(
            QRectF(labelLeft, threshold.labelY - line / 2, metrics.horizontalAdvance(text), line),
            Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter.setFont(font());
}

void DebtChart::drawRatioLine(QPainter& painter) const
{
    const QPalette& pal = palette();
    const QColor background = pal.color(QPalette::Window);
    const QColor ink = pal.color(QPalette::WindowText);
    const qreal line = fontMetrics().height();
    const qreal penWidth = std::max<qreal>(2, line / 8);
    constexpr qreal HaloWidth = 1.5;

    // A year without a ratio breaks the line.
    QPainterPath path;
    std::vector<QPointF> dots;
    bool joined = false;
    for (int i = 0; i < count(); ++i) {
        const std::optional<QPointF> point = ratioPoint(i);
        if (!point) {
            joined = false;
            continue;
        }
        if (joined)
            path.lineTo(*point);
        else
            path.moveTo(*point);
        joined = true;
        dots.push_back(*point);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(background, penWidth + 2 * HaloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(ink, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);

    const qreal radius = std::max<qreal>(3, line * DotLines);
    painter.setPen(QPen(background, HaloWidth));
    painter.setBrush(ink);
    for (const QPointF& dot : dots)
        painter.drawEllipse(dot, radius, radius);
}

void DebtChart::drawAxes(QPainter& painter, const QRectF& plot) const
{
    const QPalette& pal = palette();
    const QColor ink = pal.color(QPalette::WindowText);
    constexpr qreal AxisWeight = 0.6;
    const QColor axis = colours::mix(pal.color(QPalette::Window), ink, AxisWeight);
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    const qreal tick = line * TickLines;
    const qreal gap = line * GapLines;

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(axis, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.topRight(), plot.bottomRight());

    const long double amountEnd = amountAxisEnd();
    for (const Tick& amountTick : amountTicks()) {
        const qreal y =
            amountEnd > 0
                ? plot.bottom() - static_cast<qreal>(amountTick.value / amountEnd) * plot.height()
                : plot.bottom();
        painter.setPen(QPen(axis, 1));
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        painter.setPen(ink);
        painter.drawText(QRectF(0, y - line / 2, plot.left() - tick - gap, line),
                         Qt::AlignRight | Qt::AlignVCenter, amountTick.text);
    }
    for (const Tick& percentTick : percentTicks()) {
        const qreal y = yOfPercent(percentTick.value, plot);
        painter.setPen(QPen(axis, 1));
        painter.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
        painter.setPen(ink);
        painter.drawText(QRectF(plot.right() + tick + gap, y - line / 2,
                                metrics.horizontalAdvance(percentTick.text), line),
                         Qt::AlignLeft | Qt::AlignVCenter, percentTick.text);
    }

    // Year labels under their bars, leaving out those that would touch the previous one.
    painter.setPen(ink);
    const qreal labelTop = plot.bottom() + tick;
    if (count() > 0) {
        painter.drawText(QRectF(0, labelTop, plot.left() - tick - gap, line),
                         Qt::AlignRight | Qt::AlignVCenter, yearCaption());
    }
    qreal previousRight = plot.left() - gap;
    for (int i = 0; i < count(); ++i) {
        const QString text = QString::number(m_entries[static_cast<std::size_t>(i)].year);
        const qreal textWidth = metrics.horizontalAdvance(text);
        const qreal centre = barRect(i).center().x();
        if (centre - textWidth / 2 < previousRight + gap)
            continue;
        painter.drawText(QRectF(centre - textWidth / 2, labelTop, textWidth, line), Qt::AlignCenter,
                         text);
        previousRight = centre + textWidth / 2;
    }
}

void DebtChart::drawLegend(QPainter& painter) const
{
    const QPalette& pal = palette();
    const QColor ink = pal.color(QPalette::WindowText);
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    const auto [capitalWidth, ratioWidth] = legendWidths();
    const qreal top = line * PaddingLines;
    QPointF capitalAt((width() - capitalWidth) / 2, top);
    QPointF ratioAt((width() - ratioWidth) / 2, top + line);
    if (legendRows() == 1) {
        capitalAt.setX((width() - capitalWidth - line * LegendSpacingLines - ratioWidth) / 2);
        ratioAt = QPointF(capitalAt.x() + capitalWidth + line * LegendSpacingLines, top);
    }

    const qreal swatch = line * SwatchLines;
    painter.fillRect(QRectF(capitalAt.x(), capitalAt.y() + (line - swatch) / 2, swatch, swatch),
                     colours::bandColour(colours::Tone::Neutral, pal));
    painter.setPen(ink);
    painter.drawText(QRectF(capitalAt.x() + swatch + line * GapLines, capitalAt.y(),
                            capitalWidth - swatch - line * GapLines, line),
                     Qt::AlignLeft | Qt::AlignVCenter, capitalLegend(amountUnit()));

    const qreal sample = line * LineSampleLines;
    const qreal middle = ratioAt.y() + line / 2;
    painter.setPen(QPen(ink, std::max<qreal>(2, line / 8), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(ratioAt.x(), middle), QPointF(ratioAt.x() + sample, middle));
    const qreal radius = std::max<qreal>(3, line * DotLines);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(ratioAt.x() + sample / 2, middle), radius, radius);
    painter.setPen(ink);
    painter.drawText(QRectF(ratioAt.x() + sample + line * GapLines, ratioAt.y(),
                            ratioWidth - sample - line * GapLines, line),
                     Qt::AlignLeft | Qt::AlignVCenter, ratioLegend());
}

} // namespace app
