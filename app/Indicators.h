// The borrowing indicators, computed over the main window's amount fields.
#pragma once

#include <QString>

#include <cstdint>

namespace amount {
class AmountEdit;
}

namespace app {

// The amount fields the calculation reads and writes.
struct IndicatorFields
{
    amount::AmountEdit* ICAP1;
    amount::AmountEdit* ICAP2;
    amount::AmountEdit* ICAP3;
    amount::AmountEdit* ICAP4;
    amount::AmountEdit* ICAP5;
    amount::AmountEdit* ITOTAL;
    amount::AmountEdit* GCAP1;
    amount::AmountEdit* GCAP2;
    amount::AmountEdit* GCAP4;
    amount::AmountEdit* GTOTAL;
    amount::AmountEdit* CVPEX;
    amount::AmountEdit* CVOTEX;
    amount::AmountEdit* APVTOTAL;
    amount::AmountEdit* APPTOTAL;
    amount::AmountEdit* CTPN;
    amount::AmountEdit* CVTOTAL;
    amount::AmountEdit* CFANTERIOR;
    amount::AmountEdit* CFEUR1;
    amount::AmountEdit* CFNUEVO;
    amount::AmountEdit* CFEUR2;
    amount::AmountEdit* CFTOTAL;
    amount::AmountEdit* CFEUR3;
    amount::AmountEdit* AHORROBRUTO;
    amount::AmountEdit* AHORRONETO;
    amount::AmountEdit* ITOTAL110;
    amount::AmountEdit* CVTOTAL2;
};

// Writes every total and indicator, each step reading earlier results back from their
// fields, so that later steps use the values as displayed. Returns the comparison of the
// limit with the outstanding capital: "Mayor Que", "Menor Que" or "Igual Que" (empty when no
// comparison holds, as with a NaN).
QString calculateIndicators(const IndicatorFields& f, std::int32_t maxDebtPercent);

} // namespace app
