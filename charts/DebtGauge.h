// DebtGauge: live debt as a percentage of current revenue, drawn against the bands of the
// borrowing rules in force.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

namespace charts {

class DebtGauge final : public QWidget
{
    Q_OBJECT

public:
    // The scale always reaches this far, and never further than MaxScaleEnd: beyond it the
    // bands would shrink to slivers, so a larger ratio pins the marker at the end.
    static constexpr int MinScaleEnd = 150;
    static constexpr int MaxScaleEnd = 500;

    explicit DebtGauge(QWidget* parent = nullptr);

    // The ratio in percent (nothing when there is no revenue to divide by) and its text as
    // the window shows it, whether net savings are negative, and the outcome's text. The
    // accessible description repeats the ratio's text and the outcome's.
    void setReading(std::optional<long double> ratioPercent, const QString& ratioText,
                    bool negativeNetSavings, const QString& outcomeText);

    std::optional<long double> ratio() const { return m_ratio; }
    bool negativeNetSavings() const { return m_negativeNetSavings; }
    // The percentage at the right end of the scale: MinScaleEnd, or the ratio rounded up to
    // the next 50 %, at most MaxScaleEnd.
    int scaleEnd() const;
    // The coloured bar in widget coordinates, 0 % at its left edge and scaleEnd() at its right.
    QRect barRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Widget x of a percentage, clamped to the bar.
    qreal xOf(long double percent, const QRect& bar) const;
    void drawScale(QPainter& painter, const QRect& bar) const;
    void drawMarker(QPainter& painter, const QRect& bar) const;
    void drawNegativeSavings(QPainter& painter, const QRect& bar) const;
    QFont warningFont() const;

    std::optional<long double> m_ratio;
    QString m_ratioText;
    bool m_negativeNetSavings = false;
    QString m_outcomeText;
};

} // namespace charts
