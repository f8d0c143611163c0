// The debt chart: bars and the ratio's line against the years, the thresholds, the amount axis's
// labels, contrast in light and dark palettes, and the accessible texts.
#include "DebtChart.h"

#include "PaletteTesting.h"

#include <QImage>
#include <QPalette>
#include <QTest>

#include <cmath>

using charts::DebtChart;
using charts::DebtChartYear;

using namespace Qt::StringLiterals;

namespace {

// Years from 1 (or from 0 when the first is today's) with these capitals and ratios; NaN is a
// year without revenue.
void show(DebtChart& chart, const QList<double>& capitals, const QList<double>& ratios, bool now)
{
    std::vector<DebtChartYear> years;
    for (int i = 0; i < capitals.size(); ++i) {
        years.push_back(
            {now ? i : i + 1, capitals[i],
             std::isnan(ratios[i]) ? std::nullopt : std::optional<long double>(ratios[i])});
    }
    std::optional<DebtChartYear> today;
    if (now) {
        today = years.front();
        years.erase(years.begin());
    }
    chart.setYears(years, today);
    chart.resize(chart.sizeHint());
}

QImage rendered(DebtChart& chart)
{
    QImage image(chart.size(), QImage::Format_RGB32);
    chart.render(&image);
    return image;
}

// The mean height of the plot's pixels whose hue lies in [from, to] (mod 360).
double meanYOfHue(const QImage& image, const QRectF& plot, int from, int to)
{
    double sum = 0;
    int found = 0;
    for (int y = qCeil(plot.top()); y < plot.bottom(); ++y) {
        for (int x = qCeil(plot.left()) + 1; x < plot.right() - 1; ++x) {
            const QColor c = image.pixelColor(x, y);
            const int hue = (c.hsvHue() + 360 - from) % 360;
            if (c.hsvSaturation() > 150 && hue <= (to + 360 - from) % 360) {
                sum += y;
                ++found;
            }
        }
    }
    return found ? sum / found : qQNaN();
}

} // namespace

class DebtChartTest : public QObject
{
    Q_OBJECT

private slots:
    void barsAndLineFollowTheYears_data()
    {
        QTest::addColumn<QList<double>>("capitals");
        QTest::addColumn<QList<double>>("ratios");
        QTest::addColumn<bool>("now");
        QTest::addColumn<int>("percentEnd");
        const double none = qQNaN();
        QTest::newRow("falling from 95 % to 40 %")
            << QList<double>{1.9e6, 1.8e6, 1.65e6, 1.5e6, 1.4e6, 1.3e6, 1.2e6, 1.1e6, 0.9e6, 0.8e6}
            << QList<double>{95, 88, 82, 76, 74, 68, 61, 55, 47, 40} << false << 120;
        QTest::newRow("today, then rising above 110 %")
            << QList<double>{1e6, 1.1e6, 1.25e6, 1.3e6, 1.45e6, 1.5e6}
            << QList<double>{70, 80, 98, 109, 115, 126} << true << 130;
        QTest::newRow("180 % extends the axis")
            << QList<double>{3e6, 2e6, 1e6} << QList<double>{180, 120, 60} << false << 180;
        QTest::newRow("no revenue in years 2, 3 and 5")
            << QList<double>{9e8, 8e8, 8e8, 7e8, 0, 5e8}
            << QList<double>{72, none, none, 78, none, 50} << false << 120;
    }
    void barsAndLineFollowTheYears()
    {
        QFETCH(QList<double>, capitals);
        QFETCH(QList<double>, ratios);
        QFETCH(bool, now);
        QFETCH(int, percentEnd);
        DebtChart chart;
        chart.setPalette(testsupport::paletteOf(false));
        show(chart, capitals, ratios, now);
        QCOMPARE(chart.count(), capitals.size());
        QCOMPARE(chart.percentAxisEnd(), percentEnd);

        const QImage image = rendered(chart);
        const QRectF plot = chart.plotRect();
        const double y75 = meanYOfHue(image, plot, 20, 45);
        const double y110 = meanYOfHue(image, plot, 350, 10);
        for (int i = 0; i < capitals.size(); ++i) {
            QCOMPARE(chart.barRect(i).height() == 0, capitals[i] == 0);
            QCOMPARE(chart.ratioPoint(i).has_value(), !std::isnan(ratios[i]));
            for (int j = 0; j < capitals.size(); ++j) {
                if (capitals[i] > capitals[j])
                    QVERIFY(chart.barRect(i).height() > chart.barRect(j).height() + 1);
                if (!std::isnan(ratios[i]) && !std::isnan(ratios[j]) && ratios[i] > ratios[j])
                    QVERIFY(chart.ratioPoint(i)->y() < chart.ratioPoint(j)->y() - 1);
            }
            if (const auto point = chart.ratioPoint(i)) {
                QCOMPARE(point->y() < y75, ratios[i] > 75);
                QCOMPARE(point->y() < y110, ratios[i] > 110);
            }
            // The line joins neighbours that both have a ratio, and only those.
            if (i + 1 < capitals.size()) {
                const int x = qRound((chart.barRect(i).right() + chart.barRect(i + 1).left()) / 2);
                bool ink = false;
                for (int y = qCeil(plot.top()); y < plot.bottom(); ++y)
                    ink = ink || qGray(image.pixel(x, y)) < 60;
                QCOMPARE(ink, !std::isnan(ratios[i]) && !std::isnan(ratios[i + 1]));
            }
        }
    }

    void amountAxisReadsInSpanish_data()
    {
        QTest::addColumn<double>("highest");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("ticks");
        QTest::newRow("no debt") << 0.0 << u"€"_s << QStringList{u"0"_s};
        QTest::newRow("euros") << 95000.0 << u"€"_s
                               << QStringList{u"0"_s,      u"20.000"_s, u"40.000"_s,
                                              u"60.000"_s, u"80.000"_s, u"100.000"_s};
        QTest::newRow("thousands")
            << 1.4e6 << u"miles de €"_s << QStringList{u"0"_s, u"500"_s, u"1.000"_s, u"1.500"_s};
        QTest::newRow("millions") << 2.2e9 << u"millones de €"_s
                                  << QStringList{u"0"_s,     u"500"_s,   u"1.000"_s,
                                                 u"1.500"_s, u"2.000"_s, u"2.500"_s};
    }
    void amountAxisReadsInSpanish()
    {
        QFETCH(double, highest);
        QFETCH(QString, unit);
        QFETCH(QStringList, ticks);
        DebtChart chart;
        show(chart, {highest / 2, highest}, {50, 60}, false);
        QStringList texts;
        for (const DebtChart::Tick& tick : chart.amountTicks())
            texts << tick.text;
        QCOMPARE(texts, ticks);
        QCOMPARE(chart.amountUnit(), unit);
        QVERIFY(chart.amountAxisEnd() >= highest);
    }

    void readsInBothPalettes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void readsInBothPalettes()
    {
        QFETCH(bool, dark);
        const QColor background = testsupport::paletteOf(dark).color(QPalette::Window);
        DebtChart chart;
        chart.setPalette(testsupport::paletteOf(dark));
        show(chart, {2e6, 1e6}, {100, 80}, false);
        const QImage image = rendered(chart);
        const QColor bar = image.pixelColor(chart.barRect(1).center().toPoint());
        const QColor dot = image.pixelColor(chart.ratioPoint(0)->toPoint());
        QVERIFY2(testsupport::contrast(bar, background) >= 3, qPrintable(bar.name()));
        QVERIFY2(testsupport::contrast(dot, background) >= 4.5, qPrintable(dot.name()));
        QVERIFY2(testsupport::contrast(dot, bar) >= 2.5, qPrintable(dot.name()));
    }

    void emptyChartAndAccessibleTexts()
    {
        DebtChart chart;
        QCOMPARE(chart.accessibleName(), u"Gráfico de la evolución de la deuda"_s);
        chart.resize(chart.sizeHint());
        const QImage empty = rendered(chart);
        QCOMPARE(chart.percentAxisEnd(), 120);
        QVERIFY(!chart.barRect(0).isValid() && !chart.ratioPoint(0));
        const QColor centre = empty.pixelColor(chart.plotRect().center().toPoint());
        QCOMPARE(centre, chart.palette().color(QPalette::Window));

        const QList<double> ten(10, 1e6);
        show(chart, ten, ten, false);
        QCOMPARE(chart.accessibleDescription(),
                 u"Capital vivo y endeudamiento de los próximos 10 años"_s);
        show(chart, ten, ten, true);
        QCOMPARE(chart.accessibleDescription(),
                 u"Capital vivo y endeudamiento actuales y de los próximos 9 años"_s);
    }
};

QTEST_MAIN(DebtChartTest)
#include "DebtChartTest.moc"
