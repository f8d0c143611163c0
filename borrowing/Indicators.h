// The borrowing indicators: totals, financial burdens, savings and the debt limit of a case.
#pragma once

#include "Case.h"

#include <QString>

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

// "Mayor Que", "Menor Que", "Igual Que"; empty for None.
QString comparisonText(Comparison comparison);

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
    Comparison comparison = Comparison::None;

    friend bool operator==(const Indicators&, const Indicators&) = default;
};

// An indicator and the name of the field that shows it.
struct IndicatorField
{
    const char* name;
    Amount Indicators::*member;
};

inline constexpr std::array<IndicatorField, 16> IndicatorFields{{
    {"ITOTAL", &Indicators::totalRevenue},
    {"GTOTAL", &Indicators::totalExpenditure},
    {"CFANTERIOR", &Indicators::existingBurden},
    {"CFEUR1", &Indicators::existingBurdenPerUnit},
    {"CFNUEVO", &Indicators::plannedBurden},
    {"CFEUR2", &Indicators::plannedBurdenPerUnit},
    {"CFTOTAL", &Indicators::totalBurden},
    {"CFEUR3", &Indicators::totalBurdenPerUnit},
    {"AHORROBRUTO", &Indicators::grossSavings},
    {"AHORRONETO", &Indicators::netSavings},
    {"ITOTAL110", &Indicators::debtLimit},
    {"CVTOTAL", &Indicators::loansCapital},
    {"CVTOTAL2", &Indicators::totalCapital},
    {"ICOMPUT", &Indicators::computableRevenue},
    {"ANCOMPUT", &Indicators::computableNetSavings},
    {"CVCOMPUT", &Indicators::computableDebt},
}};

// The figures as their fields hold them: each rounded as it is shown.
Figures shownFigures(const Figures& figures);

// Every indicator of the figures for a debt limit in percent. Each step works with the earlier
// results as they are shown (rounded to their fields' decimals), so that what is displayed
// adds up. With no revenue the two burden percentages cannot be worked out: they keep the
// values of `previous`, the indicators shown before, and the burdens that follow from them
// are computed from those. Throws InvalidInput naming a result too large to be a number.
Indicators computeIndicators(const Figures& figures, std::int32_t maxDebtPercent,
                             const Indicators& previous = {});

} // namespace borrowing
