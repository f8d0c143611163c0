// The financial recovery plan that negative net savings ask for: revenue and spending year by
// year with the measures taken, against the loans in force as they amortise, until net savings
// reach zero within at most three years.
#include "RecoveryPlan.h"

#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace borrowing {

namespace {

using amount::roundToCents;

// What a figure of the year before plan becomes after `years` of growth, to the cent.
Amount grown(Amount start, Amount percent, int years)
{
    return roundToCents(start * std::pow(1 + percent / Percent, static_cast<Amount>(years)));
}

} // namespace

PlanOutcome planOutcome(const Case& c, const Indicators& r, const Group& group,
                        const Projection& projection)
{
    const Figures& f = c.figures;
    const RecoveryPlan& plan = c.plan;
    // Spending is what revenue leaves after net savings and the annuities they subtract, the
    // planned loan's and each dependent entity's included.
    const Amount annuities =
        group.hasDependents() ? group.totalAnnuity : f.existingAnnuity + f.plannedAnnuity;
    const Amount revenue = r.computableRevenue;
    const Amount spending = roundToCents(revenue - (r.computableNetSavings + annuities));

    PlanOutcome outcome;
    outcome.notNeeded = r.computableNetSavings >= 0;
    outcome.reported = !outcome.notNeeded || !(plan == RecoveryPlan{});
    const int years = std::clamp(static_cast<int>(plan.years), 1, LongestPlan);
    for (int year = 1; year <= years; ++year) {
        const auto at = static_cast<std::size_t>(year - 1);
        const PlanMeasures measures =
            at < plan.measures.size() ? plan.measures[at] : PlanMeasures{};
        const ProjectionYear& projected = projection.years.at(at);
        PlanYear y{.year = year};
        y.revenue = roundToCents(grown(revenue, c.evolution.growth, year) + measures.revenue);
        y.spending = roundToCents(grown(spending, plan.spendingGrowth, year) - measures.spending);
        y.grossSavings = roundToCents(y.revenue - y.spending);
        // Without a register the loans in force are their typed annuity, every year.
        y.existingAnnuity =
            projection.withoutRegister ? f.existingAnnuity : projected.existingAnnuity;
        y.netSavings = roundToCents(y.grossSavings - y.existingAnnuity);
        y.netSavingsWithLoan = roundToCents(y.netSavings - projected.plannedAnnuity);
        outcome.years.push_back(y);
    }
    // The first year from which net savings stay at zero or above.
    for (auto y = outcome.years.rbegin(); y != outcome.years.rend() && y->netSavings >= 0; ++y)
        outcome.balancedFrom = y->year;
    if (!outcome.balancedFrom)
        outcome.shortfall = -outcome.years.back().netSavings;
    return outcome;
}

} // namespace borrowing
