// The borrowing indicators: totals, financial burdens, savings and the debt limit of a case.
#include "Indicators.h"

#include "NumberFormat.h"

#include <cmath>

namespace borrowing {

namespace {

// The revenue unit of the "per 6.010,12 euros" figures.
constexpr Amount RevenueUnit = 6010.12L;

// A value that is no number is kept as it is, for the check at the end to name it.
Amount shown(Amount x)
{
    return std::isfinite(x) ? amount::shownValue(x, AmountDecimals) : x;
}

} // namespace

Indicators computeIndicators(const Figures& typed, std::int32_t maxDebtPercent,
                             const Indicators& previous)
{
    const Figures f = shownFigures(typed);
    Indicators r;
    r.totalRevenue = shown(f.revenueI + f.revenueII + f.revenueIII + f.revenueIV + f.revenueV);
    r.totalExpenditure = shown(f.expenditureI + f.expenditureII + f.expenditureIV);
    const bool noRevenue = r.totalRevenue == 0;
    r.existingBurden =
        noRevenue ? previous.existingBurden : shown(f.existingAnnuity / r.totalRevenue * Percent);
    r.existingBurdenPerUnit = shown(r.existingBurden * RevenueUnit / Percent);
    r.plannedBurden =
        noRevenue ? previous.plannedBurden : shown(f.plannedAnnuity / r.totalRevenue * Percent);
    r.plannedBurdenPerUnit = shown(r.plannedBurden * RevenueUnit / Percent);
    r.totalBurden = shown(r.existingBurden + r.plannedBurden);
    r.totalBurdenPerUnit = shown(r.totalBurden * RevenueUnit / Percent);
    r.grossSavings = shown(r.totalRevenue - r.totalExpenditure);
    r.netSavings = shown(r.grossSavings - (f.existingAnnuity + f.plannedAnnuity));
    r.debtLimit = shown(r.totalRevenue * static_cast<Amount>(maxDebtPercent) / Percent);
    r.loansCapital = shown(f.existingCapital + f.plannedCapital);
    r.totalCapital = shown(r.loansCapital + f.treasuryOperations);
    // Built as the unadjusted figures are, so that without adjustments they are those figures.
    r.computableRevenue = shown(r.totalRevenue - f.earmarkedRevenue);
    r.computableNetSavings =
        shown(shown(r.computableRevenue - (r.totalExpenditure - f.surplusFinancedExpenditure)) -
              (f.existingAnnuity + f.plannedAnnuity));
    r.computableDebt = shown(r.totalCapital + (f.guarantees + f.undrawnBalances));
    r.nonFinancialRevenue = shown(r.totalRevenue + f.revenueVI + f.revenueVII);
    r.nonFinancialExpenditure = shown(f.expenditureI + f.expenditureII + f.expenditureIII +
                                      f.expenditureIV + f.expenditureVI + f.expenditureVII);
    r.nonFinancialBalance = shown(r.nonFinancialRevenue - r.nonFinancialExpenditure);
    // Without what was collected there is no adjustment for it.
    r.collectionAdjustment =
        f.collections == 0 ? 0 : shown(f.collections - (f.revenueI + f.revenueII + f.revenueIII));
    r.financingCapacity =
        shown(r.nonFinancialBalance + r.collectionAdjustment + f.otherAdjustments);
    r.comparison = r.debtLimit > r.totalCapital    ? Comparison::Greater
                   : r.debtLimit < r.totalCapital  ? Comparison::Less
                   : r.debtLimit == r.totalCapital ? Comparison::Equal
                                                   : Comparison::None;
    return r;
}

} // namespace borrowing
