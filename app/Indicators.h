// The borrowing indicators, computed over the main window's amount fields.
#pragma once

#include <QString>

#include <cstdint>

class TKaNumEdit;

// The amount fields the calculation reads and writes.
struct TIndicatorFields
{
    TKaNumEdit* ICAP1;
    TKaNumEdit* ICAP2;
    TKaNumEdit* ICAP3;
    TKaNumEdit* ICAP4;
    TKaNumEdit* ICAP5;
    TKaNumEdit* ITOTAL;
    TKaNumEdit* GCAP1;
    TKaNumEdit* GCAP2;
    TKaNumEdit* GCAP4;
    TKaNumEdit* GTOTAL;
    TKaNumEdit* CVPEX;
    TKaNumEdit* CVOTEX;
    TKaNumEdit* APVTOTAL;
    TKaNumEdit* APPTOTAL;
    TKaNumEdit* CTPN;
    TKaNumEdit* CVTOTAL;
    TKaNumEdit* CFANTERIOR;
    TKaNumEdit* CFEUR1;
    TKaNumEdit* CFNUEVO;
    TKaNumEdit* CFEUR2;
    TKaNumEdit* CFTOTAL;
    TKaNumEdit* CFEUR3;
    TKaNumEdit* AHORROBRUTO;
    TKaNumEdit* AHORRONETO;
    TKaNumEdit* ITOTAL110;
    TKaNumEdit* CVTOTAL2;
};

// Writes every total and indicator, each step reading earlier results back from their
// fields, so that later steps use the values as displayed. Returns the comparison of the
// limit with the outstanding capital: "Mayor Que", "Menor Que" or "Igual Que" (empty when no
// comparison holds, as with a NaN).
QString CalculateIndicators(const TIndicatorFields& f, std::int32_t maxDebtPercent);
