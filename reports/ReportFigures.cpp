// What the reports show: the entity data and every figure as the windows display it, built
// from the case's figures, indicators and verdict.
#include "ReportFigures.h"

namespace reports {

ReportFigures reportFigures(const ReportSubject& s, amount::Separators separators)
{
    const auto text = [separators](Amount x, int decimals = borrowing::AmountDecimals) {
        return amount::formatValue(x, decimals, amount::NumberFormat::Thousands, separators);
    };
    const auto shown = [&text](Amount x) { return ShownAmount{text(x), x}; };
    const auto capacity = [&text](const borrowing::Capacity& c) {
        return c.amount ? text(*c.amount) : QStringLiteral("—");
    };
    const borrowing::Indicators& r = s.indicators;
    return {
        .entityName = s.entityName,
        .entityProvince = s.entityProvince,
        .maxDebtPercentText = s.maxDebtPercentText,
        .loanAccepted = s.plannedLoan.accepted,
        .loanCapital = text(s.plannedLoan.capital),
        .loanRate = text(s.plannedLoan.rate),
        .loanYears = text(s.plannedLoan.years, borrowing::YearsDecimals),
        .monthlyPayment = text(s.monthlyPayment),
        .yearlyPayment = text(s.yearlyPayment),
        .averageLife = text(s.averageLife),
        .prudence = s.prudence,
        .totalRevenue = text(r.totalRevenue),
        .totalExpenditure = text(r.totalExpenditure),
        .existingAnnuity = text(s.figures.existingAnnuity),
        .plannedAnnuity = shown(s.figures.plannedAnnuity),
        .loansCapital = text(r.loansCapital),
        .existingBurden = text(r.existingBurden),
        .existingBurdenPerUnit = text(r.existingBurdenPerUnit),
        .plannedBurden = text(r.plannedBurden),
        .plannedBurdenPerUnit = text(r.plannedBurdenPerUnit),
        .totalBurden = text(r.totalBurden),
        .totalBurdenPerUnit = text(r.totalBurdenPerUnit),
        .grossSavings = shown(r.grossSavings),
        .netSavings = shown(r.netSavings),
        .debtLimit = shown(r.debtLimit),
        .totalCapital = shown(r.totalCapital),
        .comparison = borrowing::comparisonText(r.comparison),
        .earmarkedRevenue = text(s.figures.earmarkedRevenue),
        .surplusFinancedExpenditure = text(s.figures.surplusFinancedExpenditure),
        .guarantees = text(s.figures.guarantees),
        .undrawnBalances = text(s.figures.undrawnBalances),
        .computableRevenue = text(r.computableRevenue),
        .computableNetSavings = text(r.computableNetSavings),
        .computableDebt = text(r.computableDebt),
        .ratioText = s.verdict.ratioText,
        .verdictText = s.verdict.resultText,
        .freeCapacity = capacity(s.freeCapacity),
        .maximumCapacity = capacity(s.maximumCapacity),
        .evolutionSentence = borrowing::projectionSentence(s.projection),
        .existingLoans = s.existingLoans,
    };
}

} // namespace reports
