// The debt gauge: its marker and scale, its bands and warning in light and dark palettes, and
// its accessible texts.
#include "DebtGauge.h"

#include "PaletteTesting.h"

#include <QImage>
#include <QPalette>
#include <QTest>

#include <cmath>

using charts::DebtGauge;

using namespace Qt::StringLiterals;

namespace {

QImage rendered(DebtGauge& gauge)
{
    gauge.resize(400, gauge.sizeHint().height());
    QImage image(gauge.size(), QImage::Format_RGB32);
    gauge.render(&image);
    return image;
}

int redness(QRgb pixel)
{
    return qRed(pixel) - std::max(qGreen(pixel), qBlue(pixel));
}

} // namespace

class DebtGaugeTest : public QObject
{
    Q_OBJECT

private slots:
    void markerFollowsRatio_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("scaleEnd");
        QTest::newRow("no revenue: no marker") << qQNaN() << 150;
        QTest::newRow("40 %") << 40.0 << 150;
        QTest::newRow("150 % keeps the scale") << 150.0 << 150;
        QTest::newRow("180 % extends it to 200 %") << 180.0 << 200;
        QTest::newRow("beyond the longest scale: at its end") << 1e9 << 500;
    }
    void markerFollowsRatio()
    {
        QFETCH(double, ratio);
        QFETCH(int, scaleEnd);
        DebtGauge gauge;
        gauge.setPalette(testsupport::paletteOf(false));
        const bool none = std::isnan(ratio);
        gauge.setReading(none ? std::nullopt : std::optional<long double>(ratio), u"x"_s, false,
                         u"y"_s);
        QCOMPARE(gauge.scaleEnd(), scaleEnd);

        const QImage image = rendered(gauge);
        const QRect bar = gauge.barRect();
        QList<int> marker;
        for (int x = bar.left(); x <= bar.right(); ++x) {
            if (qGray(image.pixel(x, bar.center().y())) < 60)
                marker << x;
        }
        QCOMPARE(marker.isEmpty(), none);
        const double expected =
            bar.left() + std::min<double>(ratio, scaleEnd) / scaleEnd * bar.width();
        for (int x : marker)
            QVERIFY2(std::abs(x - expected) <= 2, qPrintable(u"%1, not %2"_s.arg(x).arg(expected)));
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
        DebtGauge gauge;
        gauge.setPalette(testsupport::paletteOf(dark));
        QImage image = rendered(gauge);
        const QRect bar = gauge.barRect();
        struct Band
        {
            int percent, minHue, maxHue;
        };
        for (const Band band : {Band{50, 90, 150}, Band{100, 20, 45}, Band{130, 0, 10}}) {
            const QColor colour =
                image.pixelColor(bar.left() + bar.width() * band.percent / 150, bar.center().y());
            QVERIFY2(colour.hsvHue() >= band.minHue && colour.hsvHue() <= band.maxHue &&
                         testsupport::contrast(colour, background) >= 3,
                     qPrintable(colour.name()));
        }

        // Negative net savings write a readable red across the bar's middle third, where the
        // ratio alone draws no red.
        for (const bool negative : {false, true}) {
            gauge.setReading(125.0L, u"125,00 %"_s, negative, u"No puede concertarse"_s);
            image = rendered(gauge);
            QRgb reddest = 0;
            for (int y = bar.top(); y <= bar.bottom(); ++y) {
                for (int x = image.width() / 3; x < image.width() * 2 / 3; ++x) {
                    if (redness(image.pixel(x, y)) > redness(reddest))
                        reddest = image.pixel(x, y);
                }
            }
            QCOMPARE(redness(reddest) > 100, negative);
            if (negative)
                QVERIFY(testsupport::contrast(QColor(reddest), background) >= 4.5);
        }
    }

    void accessibleTextsFollowReading()
    {
        DebtGauge gauge;
        gauge.setReading(40.0L, u"40,00 %"_s, false, u"No precisa autorización"_s);
        gauge.setReading(82.5L, u"82,50 %"_s, true,
                         u"No puede concertarse: ahorro neto negativo"_s);
        QCOMPARE(gauge.accessibleName(), u"Indicador de endeudamiento"_s);
        QCOMPARE(gauge.accessibleDescription(),
                 u"Endeudamiento: 82,50 %. No puede concertarse: ahorro neto negativo"_s);
    }
};

QTEST_MAIN(DebtGaugeTest)
#include "DebtGaugeTest.moc"
