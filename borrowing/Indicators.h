// The borrowing indicators: totals, financial burdens, savings and the debt limit of a case.
#pragma once

#include "Case.h"

#include <array>
#include <cstdint>

namespace borrowing {

// How the debt limit compares with the total outstanding capital.
enum class Comparison : std::uint8_t
{
    None, // no comparison holds (a figure is no number)
    Greater,
    Less,
    Equal
};

struct Indicators
{
    Amount totalRevenue = 0;     // ITOTAL
    Amount totalExpenditure = 0; // GTOTAL
    // Financial burdens as a percentage of revenue, and in euros of each 6.010,12 of revenue:
    // of the loans in force, of the planned loan and of both.
    Amount existingBurden = 0;        // CFANTERIOR
    Amount existingBurdenPerUnit = 0; // CFEUR1
    Amount plannedBurden = 0;         // CFNUEVO
    Amount plannedBurdenPerUnit = 0;  // CFEUR2
    Amount totalBurden = 0;           // CFTOTAL
    Amount totalBurdenPerUnit = 0;    // CFEUR3
    Amount grossSavings = 0;          // AHORROBRUTO
    Amount netSavings = 0;            // AHORRONETO
    // The limit's share of revenue, the capital of the loans with the planned one, and that
    // with the treasury operations, which the limit is compared with.
    Amount debtLimit = 0;    // ITOTAL110
    Amount loansCapital = 0; // CVTOTAL
    Amount totalCapital = 0; // CVTOTAL2
    // The figures the rules in force work from: current revenue, net savings and live debt,
    // adjusted.
    Amount computableRevenue = 0;    // ICOMPUT
    Amount computableNetSavings = 0; // ANCOMPUT
    Amount computableDebt = 0;       // CVCOMPUT
    // Budget stability: non-financial revenue (chapters I to VII) and expenditure (I to VII but
    // V), their balance, the adjustment for what was collected of chapters I to III, and the
    // financing capacity (+) or need (−) with the other national-accounting adjustments.
    Amount nonFinancialRevenue = 0;     // INGNOFIN
    Amount nonFinancialExpenditure = 0; // GASNOFIN
    Amount nonFinancialBalance = 0;     // SALDONOFIN
    Amount collectionAdjustment = 0;    // AJRECAUDA
    Amount financingCapacity = 0;       // CAPNEC
    Comparison comparison = Comparison::None;

    friend bool operator==(const Indicators&, const Indicators&) = default;
};

// An indicator by the name of the field that shows it, and the full report's tag.
using IndicatorField = Field<Indicators>;

inline constexpr std::array<IndicatorField, 21> IndicatorFields{{
    {.key = "ITOTAL", .amount = &Indicators::totalRevenue, .tag = "derechosnetos"},
    {.key = "GTOTAL", .amount = &Indicators::totalExpenditure, .tag = "obligacionesnetas"},
    {.key = "CFANTERIOR", .amount = &Indicators::existingBurden, .tag = "cargafanterior"},
    {.key = "CFEUR1", .amount = &Indicators::existingBurdenPerUnit, .tag = "euroscfanterior"},
    {.key = "CFNUEVO", .amount = &Indicators::plannedBurden, .tag = "cargafnueva"},
    {.key = "CFEUR2", .amount = &Indicators::plannedBurdenPerUnit, .tag = "euroscfnueva"},
    {.key = "CFTOTAL", .amount = &Indicators::totalBurden, .tag = "cargaftotal"},
    {.key = "CFEUR3", .amount = &Indicators::totalBurdenPerUnit, .tag = "euroscftotal"},
    {.key = "AHORROBRUTO", .amount = &Indicators::grossSavings, .tag = "ahorrobruto"},
    {.key = "AHORRONETO", .amount = &Indicators::netSavings, .tag = "ahorroneto"},
    {.key = "ITOTAL110", .amount = &Indicators::debtLimit, .tag = "porcientoderechos"},
    {.key = "CVTOTAL", .amount = &Indicators::loansCapital, .tag = "deudatotal"},
    {.key = "CVTOTAL2", .amount = &Indicators::totalCapital},
    {.key = "ICOMPUT", .amount = &Indicators::computableRevenue, .tag = "ingresoscomputables"},
    {.key = "ANCOMPUT", .amount = &Indicators::computableNetSavings, .tag = "ahorronetocomputable"},
    {.key = "CVCOMPUT", .amount = &Indicators::computableDebt, .tag = "capitalvivocomputable"},
    {.key = "INGNOFIN", .amount = &Indicators::nonFinancialRevenue, .tag = "ingresosnofinancieros"},
    {.key = "GASNOFIN",
     .amount = &Indicators::nonFinancialExpenditure,
     .tag = "gastosnofinancieros"},
    {.key = "SALDONOFIN", .amount = &Indicators::nonFinancialBalance, .tag = "saldonofinanciero"},
    {.key = "AJRECAUDA", .amount = &Indicators::collectionAdjustment, .tag = "ajusterecaudacion"},
    {.key = "CAPNEC", .amount = &Indicators::financingCapacity, .tag = "capacidadnecesidad"},
}};

// Every indicator of the figures for a debt limit in percent. Each step works with the earlier
// results as they are shown (rounded to their fields' decimals), so that what is displayed
// adds up. With no revenue the two burden percentages cannot be worked out: they keep the
// values of `previous`, the indicators shown before, and the burdens that follow from them
// are computed from those. A result too large to be a number stays what it is (an infinity).
Indicators computeIndicators(const Figures& figures, std::int32_t maxDebtPercent,
                             const Indicators& previous = {});

} // namespace borrowing
