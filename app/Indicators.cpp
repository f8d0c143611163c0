// The borrowing indicators, computed over the main window's amount fields.
#include "Indicators.h"

#include "AmountEdit.h"

namespace app {

using amount::Amount;
using amount::AmountEdit;

namespace {

constexpr Amount Percent = 100;
// The revenue unit of the "per 6.010,12 euros" figures.
constexpr Amount RevenueUnit = 6010.12L;

Amount v(const AmountEdit* field)
{
    return field->value();
}

} // namespace

QString calculateIndicators(const IndicatorFields& f, std::int32_t maxDebtPercent)
{
    f.ITOTAL->setValue(v(f.ICAP1) + v(f.ICAP2) + v(f.ICAP3) + v(f.ICAP4) + v(f.ICAP5));
    f.GTOTAL->setValue(v(f.GCAP1) + v(f.GCAP2) + v(f.GCAP4));
    // With no revenue the two burden percentages keep what they held.
    if (v(f.ITOTAL) != 0)
        f.CFANTERIOR->setValue(v(f.APVTOTAL) / v(f.ITOTAL) * Percent);
    f.CFEUR1->setValue(v(f.CFANTERIOR) * RevenueUnit / Percent);
    if (v(f.ITOTAL) != 0)
        f.CFNUEVO->setValue(v(f.APPTOTAL) / v(f.ITOTAL) * Percent);
    f.CFEUR2->setValue(v(f.CFNUEVO) * RevenueUnit / Percent);
    f.CFTOTAL->setValue(v(f.CFANTERIOR) + v(f.CFNUEVO));
    f.CFEUR3->setValue(v(f.CFTOTAL) * RevenueUnit / Percent);
    f.AHORROBRUTO->setValue(v(f.ITOTAL) - v(f.GTOTAL));
    f.AHORRONETO->setValue(v(f.AHORROBRUTO) - (v(f.APVTOTAL) + v(f.APPTOTAL)));
    f.ITOTAL110->setValue(v(f.ITOTAL) * static_cast<Amount>(maxDebtPercent) / Percent);
    f.CVTOTAL->setValue(v(f.CVPEX) + v(f.CTPN));
    f.CVTOTAL2->setValue(v(f.CVTOTAL) + v(f.CVOTEX));

    QString comparison;
    if (v(f.ITOTAL110) > v(f.CVTOTAL2))
        comparison = QStringLiteral("Mayor Que");
    if (v(f.ITOTAL110) < v(f.CVTOTAL2))
        comparison = QStringLiteral("Menor Que");
    if (v(f.ITOTAL110) == v(f.CVTOTAL2))
        comparison = QStringLiteral("Igual Que");
    return comparison;
}

} // namespace app
