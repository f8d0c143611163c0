// The gauge and the chart of a case drawn off screen for the reports, at print resolution on a
// paper-white palette.
#include "ReportPictures.h"

#include "Colours.h"
#include "DebtChart.h"
#include "DebtGauge.h"
#include "LocaleSeparators.h"
#include "Wording.h"

#include <QBuffer>
#include <QImage>
#include <QPalette>

namespace charts {

namespace {

// Widgets are laid out at 96 dots per inch.
constexpr qreal ScreenDpi = 96;
constexpr qreal InchesPerMetre = 39.3701;

// The widget at `size` (in screen pixels) as a PNG at print resolution.
QByteArray drawn(QWidget& widget, QSize size)
{
    // Printed, so drawn in ink on paper whatever the screen's palette.
    const QPalette paper = colours::printPalette();
    widget.setPalette(paper);
    widget.setAutoFillBackground(true);
    widget.resize(size);
    const qreal scale = PrintDpi / ScreenDpi;
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(paper.color(QPalette::Window));
    widget.render(&image);
    image.setDevicePixelRatio(1);
    const int dotsPerMetre = qRound(PrintDpi * InchesPerMetre);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

reports::ReportPictures reportPictures(const borrowing::Assessment& a)
{
    constexpr int Width = 560;
    DebtGauge gauge;
    const QString ratio = reports::percentText(a.verdict.ratio, amount::currentSeparators());
    gauge.setReading(a.verdict.ratio, ratio, a.verdict.negativeNetSavings,
                     reports::verdictText(a.verdict));
    DebtChart chart;
    chart.setProjection(a.projection);
    return {{"graficoendeudamiento", drawn(gauge, {Width, gauge.sizeHint().height()})},
            {"graficoevolucion", drawn(chart, {Width, Width * 9 / 16})}};
}

} // namespace charts
