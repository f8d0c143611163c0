// DebtChart: live capital year by year as bars and its ratio to current revenue as a line,
// against the thresholds of the borrowing rules in force.
#include "DebtChart.h"

#include "Colours.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "NumberFormat.h"
#include "PaintHelpers.h"
#include "Verdict.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace charts {

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

} // namespace

DebtChart::DebtChart(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(reports::chartName());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setYears({});
}

void DebtChart::setProjection(const borrowing::Projection& projection)
{
    std::vector<DebtChartYear> years;
    for (const borrowing::ProjectionYear& y : projection.years)
        years.push_back({y.year, y.capital, y.ratio});
    const borrowing::ProjectionYear& now = projection.now;
    setYears(std::move(years), DebtChartYear{0, now.capital, now.ratio});
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
    setAccessibleDescription(reports::chartDescription(projected, now.has_value()));
    if (years == m_entries && now.has_value() == m_hasNow)
        return;
    m_entries = std::move(years);
    m_hasNow = now.has_value();
    m_layout.reset();
    updateGeometry();
    update();
}

const DebtChart::Layout& DebtChart::currentLayout() const
{
    // Keyed on the size rather than invalidated by resize events, which a hidden widget receives
    // only when shown; on the separators, which the application reloads in no set order with
    // the widgets' locale change.
    const amount::Separators separators = amount::currentSeparators();
    if (!m_layout || m_layout->size != size() || m_layout->font != font() ||
        m_layout->separators != separators)
        m_layout = computeLayout(separators);
    return *m_layout;
}

DebtChart::Layout DebtChart::computeLayout(const amount::Separators& separators) const
{
    Layout layout;
    layout.size = size();
    layout.font = font();
    layout.separators = separators;
    const QFontMetricsF metrics(font());
    const int line = fontMetrics().height();

    long double highestCapital = 0;
    long double highestRatio = 0;
    for (const DebtChartYear& entry : m_entries) {
        highestCapital = std::max(highestCapital, entry.capital);
        if (entry.ratioPercent)
            highestRatio = std::max(highestRatio, *entry.ratioPercent);
    }
    if (highestRatio >= MaxPercentEnd)
        layout.percentEnd = MaxPercentEnd;
    else if (highestRatio > MinPercentEnd)
        layout.percentEnd =
            static_cast<int>(std::ceil(highestRatio / PercentRounding - Slack)) * PercentRounding;
    if (highestCapital >= MillionsFrom)
        layout.amountDivisor = 1e6L;
    else if (highestCapital >= ThousandsFrom)
        layout.amountDivisor = 1e3L;

    // The legend above the plot, on one row when both entries fit.
    layout.capitalLegendWidth = metrics.height() * (SwatchLines + GapLines) +
                                metrics.horizontalAdvance(reports::capitalLegend(
                                    reports::amountUnitText(layout.amountDivisor)));
    layout.ratioLegendWidth = metrics.height() * (LineSampleLines + GapLines) +
                              metrics.horizontalAdvance(reports::ratioLegend());
    const qreal oneRow =
        layout.capitalLegendWidth + line * LegendSpacingLines + layout.ratioLegendWidth;
    layout.legendRows = oneRow <= width() - 2 * line * PaddingLines ? 1 : 2;
    const qreal top = line * (PaddingLines + layout.legendRows + AbovePlotLines);
    const qreal bottom = std::max(height() - line * (PaddingLines + 1 + TickLines), top + 1);

    if (highestCapital > 0) {
        const int intervals = std::clamp(
            static_cast<int>((bottom - top) / (line * TickSpacingLines)), 1, MaxAmountIntervals);
        const long double step = niceStep(highestCapital / intervals);
        layout.amountScale = {step, std::ceil(highestCapital / step - Slack) * step};
    }
    layout.amountTicks = amountTicksOf(layout);

    // Room beside the plot for the axes' labels.
    const qreal besidePlot = PaddingLines + GapLines + TickLines;
    qreal leftLabels = metrics.horizontalAdvance(reports::yearCaption());
    for (const Tick& tick : layout.amountTicks)
        leftLabels = std::max(leftLabels, metrics.horizontalAdvance(tick.text));
    layout.leftGutter = metrics.height() * besidePlot + leftLabels;
    const QFontMetricsF boldMetrics(boldFont(font()));
    layout.rightGutter =
        boldMetrics.height() * besidePlot +
        std::max(boldMetrics.horizontalAdvance(percentText(borrowing::CurrentRules.forbiddenAbove)),
                 boldMetrics.horizontalAdvance(percentText(layout.percentEnd)));
    layout.plot =
        QRectF(layout.leftGutter, top,
               std::max<qreal>(1, width() - layout.leftGutter - layout.rightGutter), bottom - top);

    const QRectF& plot = layout.plot;
    const qreal slot = plot.width() / std::max(count(), 1);
    const qreal barWidth = std::min(slot * BarShareOfSlot, line * MaxBarLines);
    for (int i = 0; i < count(); ++i) {
        const DebtChartYear& entry = m_entries[static_cast<std::size_t>(i)];
        const qreal centre = plot.left() + slot * (i + 0.5);
        const qreal barTop = layout.yOfAmount(std::min(entry.capital, layout.amountScale.end));
        layout.bars.emplace_back(centre - barWidth / 2, barTop, barWidth, plot.bottom() - barTop);
        layout.ratioPoints.push_back(
            entry.ratioPercent
                ? std::optional<QPointF>(QPointF(centre, layout.yOfPercent(*entry.ratioPercent)))
                : std::nullopt);
    }

    layout.percentTicks = percentTicksOf(layout, line);
    return layout;
}

std::vector<DebtChart::Tick> DebtChart::amountTicksOf(const Layout& layout)
{
    std::vector<Tick> ticks;
    const auto add = [&](long double value) {
        ticks.push_back(
            {value, amount::formatValue(value / layout.amountDivisor, -1,
                                        amount::NumberFormat::Thousands, layout.separators)});
    };
    add(0);
    const Scale& scale = layout.amountScale;
    if (scale.step > 0) {
        const int intervals = static_cast<int>(std::llround(scale.end / scale.step));
        for (int k = 1; k <= intervals; ++k)
            add(k * scale.step);
    }
    return ticks;
}

std::vector<DebtChart::Tick> DebtChart::percentTicksOf(const Layout& layout, int line)
{
    // The smallest step that keeps the labels apart.
    int step = PercentSteps.back();
    for (const int candidate : PercentSteps) {
        if (candidate * MaxPercentIntervals >= layout.percentEnd &&
            candidate * layout.plot.height() / layout.percentEnd >= line * TickSpacingLines) {
            step = candidate;
            break;
        }
    }
    // The thresholds carry their own labels; a tick too close to one goes unlabelled.
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    const qreal clearance = line * ThresholdClearanceLines;
    std::vector<Tick> ticks;
    for (int percent = 0; percent <= layout.percentEnd; percent += step) {
        const qreal y = layout.yOfPercent(percent);
        if (std::abs(y - layout.yOfPercent(rules.authorisationAbove)) >= clearance &&
            std::abs(y - layout.yOfPercent(rules.forbiddenAbove)) >= clearance)
            ticks.push_back({static_cast<long double>(percent), percentText(percent)});
    }
    return ticks;
}

qreal DebtChart::Layout::yOfAmount(long double amount) const
{
    const long double end = amountScale.end;
    return end > 0 ? plot.bottom() - static_cast<qreal>(amount / end) * plot.height()
                   : plot.bottom();
}

qreal DebtChart::Layout::yOfPercent(long double percent) const
{
    const long double end = percentEnd;
    return plot.bottom() - static_cast<qreal>(std::clamp(percent, 0.0L, end) / end) * plot.height();
}

QRectF DebtChart::plotRect() const
{
    return currentLayout().plot;
}

QRectF DebtChart::barRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return currentLayout().bars[static_cast<std::size_t>(index)];
}

std::optional<QPointF> DebtChart::ratioPoint(int index) const
{
    if (index < 0 || index >= count())
        return std::nullopt;
    return currentLayout().ratioPoints[static_cast<std::size_t>(index)];
}

int DebtChart::percentAxisEnd() const
{
    return currentLayout().percentEnd;
}

long double DebtChart::amountAxisEnd() const
{
    return currentLayout().amountScale.end;
}

QString DebtChart::amountUnit() const
{
    return reports::amountUnitText(currentLayout().amountDivisor);
}

std::vector<DebtChart::Tick> DebtChart::amountTicks() const
{
    return currentLayout().amountTicks;
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
    const Layout& layout = currentLayout();
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    // Ten years and today, each year's label readable; the legend's entries one above the other.
    constexpr int MinSlots = 11;
    const int slotCount = std::max(count(), MinSlots);
    const qreal slot = metrics.horizontalAdvance(QStringLiteral("10")) + line * GapLines * 2;
    const qreal chart = layout.leftGutter + layout.rightGutter + slotCount * slot;
    const qreal legend =
        std::max(layout.capitalLegendWidth, layout.ratioLegendWidth) + 2 * line * PaddingLines;
    constexpr qreal MinPlotLines = 4;
    const qreal height =
        line * (2 * PaddingLines + 2 + AbovePlotLines + MinPlotLines + TickLines + 1);
    return {qCeil(std::max(chart, legend)), qCeil(height)};
}

void DebtChart::paintEvent(QPaintEvent* /*event*/)
{
    const Layout& layout = currentLayout();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    drawGrid(painter, layout);
    drawBars(painter, layout);
    drawThresholds(painter, layout);
    drawRatioLine(painter, layout);
    drawAxes(painter, layout);
    if (count() > 0)
        drawLegend(painter, layout);
}

void DebtChart::drawGrid(QPainter& painter, const Layout& layout) const
{
    constexpr qreal GridWeight = 0.15;
    const QPalette& pal = palette();
    painter.setPen(QPen(
        colours::mix(pal.color(QPalette::Window), pal.color(QPalette::WindowText), GridWeight), 1));
    for (const Tick& tick : layout.amountTicks) {
        if (tick.value <= 0)
            continue;
        const qreal y = layout.yOfAmount(tick.value);
        painter.drawLine(QPointF(layout.plot.left(), y), QPointF(layout.plot.right(), y));
    }
}

void DebtChart::drawBars(QPainter& painter, const Layout& layout) const
{
    const QColor bar = colours::bandColour(colours::Tone::Neutral, palette());
    for (int i = 0; i < count(); ++i) {
        const QRectF rect = layout.bars[static_cast<std::size_t>(i)];
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

void DebtChart::drawThresholds(QPainter& painter, const Layout& layout) const
{
    using colours::Tone;
    const QPalette& pal = palette();
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    const QRectF& plot = layout.plot;
    const QFont bold = boldFont(font());
    const QFontMetricsF metrics(bold);
    const qreal line = metrics.height();
    const qreal penWidth = std::max<qreal>(1.5, line / 10);
    const qreal labelLeft = plot.right() + line * (TickLines + GapLines);

    // Labels centred on their lines, pushed apart when the axis is long enough to crowd them.
    const qreal authorisationY = layout.yOfPercent(rules.authorisationAbove);
    const qreal forbiddenY = layout.yOfPercent(rules.forbiddenAbove);
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

void DebtChart::drawRatioLine(QPainter& painter, const Layout& layout) const
{
    const QPalette& pal = palette();
    const QColor background = pal.color(QPalette::Window);
    const QColor ink = pal.color(QPalette::WindowText);
    const qreal line = fontMetrics().height();
    const qreal penWidth = std::max<qreal>(2, line / 8);
    constexpr qreal HaloWidth = 1.5;

    // A year without a ratio breaks the line.
    QPainterPath path;
    bool joined = false;
    for (const std::optional<QPointF>& point : layout.ratioPoints) {
        if (!point) {
            joined = false;
            continue;
        }
        if (joined)
            path.lineTo(*point);
        else
            path.moveTo(*point);
        joined = true;
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
    for (const std::optional<QPointF>& dot : layout.ratioPoints) {
        if (dot)
            painter.drawEllipse(*dot, radius, radius);
    }
}

void DebtChart::drawAxes(QPainter& painter, const Layout& layout) const
{
    const QPalette& pal = palette();
    const QColor ink = pal.color(QPalette::WindowText);
    constexpr qreal AxisWeight = 0.6;
    const QColor axis = colours::mix(pal.color(QPalette::Window), ink, AxisWeight);
    const QRectF& plot = layout.plot;
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    const qreal tick = line * TickLines;
    const qreal gap = line * GapLines;

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(axis, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    painter.drawLine(plot.topRight(), plot.bottomRight());

    for (const Tick& amountTick : layout.amountTicks) {
        const qreal y = layout.yOfAmount(amountTick.value);
        painter.setPen(QPen(axis, 1));
        painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
        painter.setPen(ink);
        painter.drawText(QRectF(0, y - line / 2, plot.left() - tick - gap, line),
                         Qt::AlignRight | Qt::AlignVCenter, amountTick.text);
    }
    for (const Tick& percentTick : layout.percentTicks) {
        const qreal y = layout.yOfPercent(percentTick.value);
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
                         Qt::AlignRight | Qt::AlignVCenter, reports::yearCaption());
    }
    qreal previousRight = plot.left() - gap;
    for (int i = 0; i < count(); ++i) {
        const QString text = QString::number(m_entries[static_cast<std::size_t>(i)].year);
        const qreal textWidth = metrics.horizontalAdvance(text);
        const qreal centre = layout.bars[static_cast<std::size_t>(i)].center().x();
        if (centre - textWidth / 2 < previousRight + gap)
            continue;
        painter.drawText(QRectF(centre - textWidth / 2, labelTop, textWidth, line), Qt::AlignCenter,
                         text);
        previousRight = centre + textWidth / 2;
    }
}

void DebtChart::drawLegend(QPainter& painter, const Layout& layout) const
{
    const QPalette& pal = palette();
    const QColor ink = pal.color(QPalette::WindowText);
    const QFontMetricsF metrics(font());
    const qreal line = metrics.height();
    const qreal capitalWidth = layout.capitalLegendWidth;
    const qreal ratioWidth = layout.ratioLegendWidth;
    const qreal top = line * PaddingLines;
    QPointF capitalAt((width() - capitalWidth) / 2, top);
    QPointF ratioAt((width() - ratioWidth) / 2, top + line);
    if (layout.legendRows == 1) {
        capitalAt.setX((width() - capitalWidth - line * LegendSpacingLines - ratioWidth) / 2);
        ratioAt = QPointF(capitalAt.x() + capitalWidth + line * LegendSpacingLines, top);
    }

    const qreal swatch = line * SwatchLines;
    painter.fillRect(QRectF(capitalAt.x(), capitalAt.y() + (line - swatch) / 2, swatch, swatch),
                     colours::bandColour(colours::Tone::Neutral, pal));
    painter.setPen(ink);
    painter.drawText(QRectF(capitalAt.x() + swatch + line * GapLines, capitalAt.y(),
                            capitalWidth - swatch - line * GapLines, line),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     reports::capitalLegend(reports::amountUnitText(layout.amountDivisor)));

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
                     Qt::AlignLeft | Qt::AlignVCenter, reports::ratioLegend());
}

} // namespace charts
