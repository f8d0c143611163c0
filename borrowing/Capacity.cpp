// How much can be borrowed: the largest planned loan that keeps net savings positive and live
// debt within a share of current revenue.
#include "Capacity.h"

#include "LoanMath.h"
#include "LoanRegister.h"
#include "Verdict.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace borrowing {

namespace {

// The largest whole x ≥ `from` for which `holds` is true, starting from an estimate that is at
// most a few euros off; `holds` must be true at `from` and stay false once it turns false.
template <typename Condition> Amount largestHolding(Amount estimate, Amount from, Condition holds)
{
    Amount x = std::max(std::floor(estimate), from);
    while (x > from && !holds(x))
        --x;
    while (holds(x + 1))
        ++x;
    return x;
}

// What keeps a loan of 0 from meeting the conditions; its annuity is 0.
Shortfall shortfallAtZero(const CapacityFigures& f, int percent)
{
    const bool savings = f.revenue - f.expenditure - f.existingAnnuity + f.groupSavings >= 0;
    const bool debt = Percent * f.existingDebt <= static_cast<Amount>(percent) * f.revenue;
    return savings && debt     ? Shortfall::None
           : !savings && !debt ? Shortfall::NegativeSavingsAndDebt
           : !savings          ? Shortfall::NegativeSavings
                               : Shortfall::Debt;
}

// The capacity of figures without a shortfall at 0.
Amount largestCapacity(const CapacityFigures& f, const AnnuityFormula& annuity, int percent)
{
    const auto savingsHold = [&](Amount x) {
        return f.revenue - f.expenditure - f.existingAnnuity + f.groupSavings - annuity(x) >= 0;
    };
    const auto debtHolds = [&](Amount x) {
        return Percent * (f.existingDebt + x) <= static_cast<Amount>(percent) * f.revenue;
    };
    const Amount savingsRoom = f.revenue - f.expenditure - f.existingAnnuity + f.groupSavings;
    const Amount bySavings = largestHolding(savingsRoom / annuity.perEuro(), 0, savingsHold);
    const Amount debtRoom =
        (static_cast<Amount>(percent) * f.revenue - Percent * f.existingDebt) / Percent;
    const Amount byDebt = largestHolding(debtRoom, 0, debtHolds);
    return std::min(bySavings, byDebt);
}

bool hasTerm(const CapacityFigures& f)
{
    return f.years > 0 && termMonths(f.years) >= 1;
}

Capacity noTerm(int percent)
{
    return {std::nullopt, Shortfall::NoTerm, percent};
}

} // namespace

CapacityFigures capacityFigures(const Figures& f, const Indicators& r, const PlannedLoan& loan,
                                const Group& group)
{
    return {.revenue = r.computableRevenue,
            .expenditure = r.totalExpenditure - f.surplusFinancedExpenditure,
            .existingAnnuity = f.existingAnnuity,
            .existingDebt = f.existingCapital + f.treasuryOperations + f.guarantees +
                            f.undrawnBalances + group.debt,
            .rate = loan.rate,
            .years = loan.years,
            .groupSavings = group.netSavings - group.revenue};
}

Capacity borrowingCapacity(const CapacityFigures& f, int percent)
{
    if (!hasTerm(f))
        return noTerm(percent);
    const Shortfall shortfall = shortfallAtZero(f, percent);
    if (shortfall != Shortfall::None)
        return {Amount{0}, shortfall, percent};
    return {largestCapacity(f, AnnuityFormula(f.rate, f.years), percent), Shortfall::None, percent};
}

Capacities borrowingCapacities(const CapacityFigures& f)
{
    const int free = CurrentRules.authorisationAbove;
    const int withAuthorisation = CurrentRules.forbiddenAbove;
    if (!hasTerm(f))
        return {noTerm(free), noTerm(withAuthorisation)};
    const Shortfall freeShortfall = shortfallAtZero(f, free);
    const Shortfall shortfall = shortfallAtZero(f, withAuthorisation);
    // The annuity's formula, the costly part, only when some capacity needs it.
    std::optional<AnnuityFormula> annuity;
    const auto capacity = [&](Shortfall atZero, int percent) -> Capacity {
        if (atZero != Shortfall::None)
            return {Amount{0}, atZero, percent};
        if (!annuity)
            annuity.emplace(f.rate, f.years);
        return {largestCapacity(f, *annuity, percent), Shortfall::None, percent};
    };
    return {capacity(freeShortfall, free), capacity(shortfall, withAuthorisation)};
}

} // namespace borrowing
