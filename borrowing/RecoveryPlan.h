// The financial recovery plan that negative net savings ask for: revenue and spending year by
// year with the measures taken, against the loans in force as they amortise, until net savings
// reach zero within at most three years.
#pragma once

#include "Case.h"
#include "Group.h"
#include "Indicators.h"
#include "Projection.h"

#include <optional>
#include <vector>

namespace borrowing {

inline constexpr int LongestPlan = static_cast<int>(LongestPlanYears);

// A year of the plan as its table shows it.
struct PlanYear
{
    int year = 0;
    Amount revenue = 0;
    Amount spending = 0;
    Amount grossSavings = 0;
    // The payments of the loans in force that year, as the evolution counts them.
    Amount existingAnnuity = 0;
    Amount netSavings = 0;
    // Net savings less the planned loan's payments that year.
    Amount netSavingsWithLoan = 0;

    friend bool operator==(const PlanYear&, const PlanYear&) = default;
};

struct PlanOutcome
{
    std::vector<PlanYear> years;
    // The first year from which net savings stay at zero or above to the plan's end; nothing
    // when the last year's are negative.
    std::optional<int> balancedFrom;
    // What the last year lacks to bring net savings to zero, when it does.
    Amount shortfall = 0;
    // Net savings are already zero or above: no plan is needed.
    bool notNeeded = false;
    // The reports state the plan: one is needed, or the case holds one all the same.
    bool reported = false;

    friend bool operator==(const PlanOutcome&, const PlanOutcome&) = default;
};

// The plan of a case as the window holds it (its plan as a case keeps it), from the figures the
// verdict uses (the group's, with dependent entities) and the evolution's payments year by year.
PlanOutcome planOutcome(const Case& shown, const Indicators& consolidated, const Group& group,
                        const Projection& projection);

} // namespace borrowing
