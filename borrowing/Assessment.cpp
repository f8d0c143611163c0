// The one pipeline from a case to everything the program shows of it.
#include "Assessment.h"

#include "IntegerText.h"
#include "NumberFormat.h"

namespace borrowing {

namespace {

std::int32_t limitOf(const Case& c)
{
    return amount::parseInteger(c.limitText).value_or(0);
}

} // namespace

std::int32_t Assessment::debtLimit() const
{
    return limitOf(shown);
}

LoanQuote quoteOf(const PlannedLoan& loan)
{
    if (loan.capital == 0 && loan.rate == 0 && loan.years == 0)
        return {};
    try {
        return quoteLoan(loan.capital, loan.rate, loan.years);
    } catch (const MathError&) {
        return {};
    }
}

Assessment assess(const Case& c, const Indicators& previous)
{
    RegisterSummary summary = summarise(c.loans);
    Case shown = c;
    shown.figures = withRegisterTotals(c.figures, summary.of({}));
    shown = roundedAsShown(std::move(shown));
    const Figures& f = shown.figures;
    const PlannedLoan& loan = shown.plannedLoan;
    const Indicators own = computeIndicators(f, limitOf(shown), previous);
    Group group = groupOf(shown, own, summary);
    const Indicators r = consolidated(own, group);
    Verdict verdict = currentVerdict(r.computableRevenue, r.computableDebt, r.computableNetSavings);
    const Capacities capacities = borrowingCapacities(capacityFigures(f, r, loan, group));
    Projection projection =
        projectDebt(projectionFigures(f, r, shown.loans, loan, shown.evolution.growth, group));
    const std::optional<bool> prudent = meetsPrudence(loan.rate, loan.maximumRate);
    const Competence competence = competenceOf(shown.dossier, f.plannedCapital);
    const Opinion opinion = opinionOf(verdict, shown.dossier, prudent);
    const StabilityStatement stability = stabilityOf(shown, own);
    PlanOutcome plan = planOutcome(shown, r, group, projection);
    LoanQuote quote = quoteOf(loan);
    // Both are shown to the cent: they differ by a cent or more when their cents differ.
    std::optional<AnnuityMismatch> mismatch;
    if (quote.months > 0 &&
        amount::roundToCents(f.plannedAnnuity) != amount::roundToCents(quote.yearlyPayment))
        mismatch = AnnuityMismatch{f.plannedAnnuity, quote.yearlyPayment};
    return {.shown = std::move(shown),
            .registerSummary = std::move(summary),
            .indicators = r,
            .verdict = verdict,
            .capacities = capacities,
            .projection = std::move(projection),
            .quote = std::move(quote),
            .annuityMismatch = mismatch,
            .group = std::move(group),
            .prudent = prudent,
            .competence = competence,
            .opinion = opinion,
            .stability = stability,
            .plan = std::move(plan)};
}

} // namespace borrowing
