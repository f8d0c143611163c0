// DebtChart: live capital year by year as bars and its ratio to current revenue as a line,
// against the thresholds of the borrowing rules in force.
#pragma once

#include "NumberFormat.h"
#include "Projection.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace charts {

struct DebtChartYear
{
    int year = 0;
    // Live capital at 31 December.
    long double capital = 0;
    // capital / current revenue × 100; nothing when there is no revenue.
    std::optional<long double> ratioPercent;

    friend bool operator==(const DebtChartYear&, const DebtChartYear&) = default;
};

class DebtChart final : public QWidget
{
    Q_OBJECT

public:
    // The percentage axis always reaches this far; a larger ratio extends it, never further
    // than MaxPercentEnd, where ratios beyond are pinned.
    static constexpr int MinPercentEnd = 120;
    static constexpr int MaxPercentEnd = 1000;

    struct Tick
    {
        long double value;
        QString text;
    };

    explicit DebtChart(QWidget* parent = nullptr);

    // The years to draw, in order, each labelled with its number; an optional starting point
    // (today's situation) drawn before them in a lighter shade.
    void setYears(std::vector<DebtChartYear> years,
                  std::optional<DebtChartYear> now = std::nullopt);
    // The years of a projection, today's situation first.
    void setProjection(const borrowing::Projection& projection);

    // Bars in drawing order: the starting point first when there is one.
    int count() const { return static_cast<int>(m_entries.size()); }
    bool hasNow() const { return m_hasNow; }

    // The area inside the axes, the bar of an entry, and the dot of its ratio (nothing without
    // one), in widget coordinates.
    QRectF plotRect() const;
    QRectF barRect(int index) const;
    std::optional<QPointF> ratioPoint(int index) const;

    // The percentage at the top of the right-hand axis: MinPercentEnd, or the highest ratio
    // rounded up to the next 10 %, at most MaxPercentEnd.
    int percentAxisEnd() const;
    // The amount at the top of the left-hand axis, its labelled ticks (texts in the unit) and
    // the unit ("€", "miles de €", "millones de €").
    long double amountAxisEnd() const;
    std::vector<Tick> amountTicks() const;
    QString amountUnit() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Scale
    {
        long double step = 0;
        long double end = 0;
    };
    // What painting and the accessors read, worked out once for a size, a font, the
    // separators and the years.
    struct Layout
    {
        QSize size;
        QFont font;
        amount::Separators separators;

        QRectF plot;
        int percentEnd = MinPercentEnd;
        Scale amountScale;
        long double amountDivisor = 1;
        std::vector<Tick> amountTicks;
        std::vector<Tick> percentTicks;
        qreal leftGutter = 0;
        qreal rightGutter = 0;
        // The legend's two entries' widths, and whether they fit on one row.
        qreal capitalLegendWidth = 0;
        qreal ratioLegendWidth = 0;
        int legendRows = 1;
        std::vector<QRectF> bars;
        std::vector<std::optional<QPointF>> ratioPoints;

        qreal yOfAmount(long double amount) const;
        qreal yOfPercent(long double percent) const;
    };
    // The layout for the widget as it is now, worked out again when anything it rests on has
    // changed.
    const Layout& currentLayout() const;
    Layout computeLayout(const amount::Separators& separators) const;
    static std::vector<Tick> amountTicksOf(const Layout& layout);
    static std::vector<Tick> percentTicksOf(const Layout& layout, int line);

    void drawGrid(QPainter& painter, const Layout& layout) const;
    void drawBars(QPainter& painter, const Layout& layout) const;
    void drawThresholds(QPainter& painter, const Layout& layout) const;
    void drawRatioLine(QPainter& painter, const Layout& layout) const;
    void drawAxes(QPainter& painter, const Layout& layout) const;
    void drawLegend(QPainter& painter, const Layout& layout) const;

    std::vector<DebtChartYear> m_entries;
    bool m_hasNow = false;
    mutable std::optional<Layout> m_layout;
};

} // namespace charts
