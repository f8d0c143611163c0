// The one pipeline from a case to everything the program shows of it.
#include "Assessment.h"

#include "IntegerText.h"

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

Assessment assess(const Case& c, const Indicators& previous, const LoanQuote& quote)
{
    Case shown = shownCase(c);
    const Figures& f = shown.figures;
    const PlannedLoan& loan = shown.plannedLoan;
    const Indicators own = computeIndicators(f, limitOf(shown), previous);
    Group group = groupOf(shown, own);
    const Indicators r = consolidated(own, group);
    Verdict verdict = currentVerdict(r.computableRevenue, r.computableDebt, r.computableNetSavings);
    const Capacities capacities = borrowingCapacities(capacityFigures(f, r, loan, group));
    Projection projection =
        projectDebt(projectionFigures(f, r, shown.loans, loan, shown.revenueGrowth, group));
    const std::optional<bool> prudent = meetsPrudence(loan.rate, loan.maximumRate);
    const DecidingBody body = decidingBody(shown.dossier, f.plannedCapital);
    const Opinion opinion = opinionOf(verdict, shown.dossier, prudent);
    return {.shown = std::move(shown),
            .indicators = r,
            .verdict = verdict,
            .capacities = capacities,
            .projection = std::move(projection),
            .quote = quote,
            .group = std::move(group),
            .prudent = prudent,
            .decidingBody = body,
            .opinion = opinion};
}

} // namespace borrowing
