// How much can be borrowed: the largest planned loan that keeps net savings positive and live
// debt within a share of current revenue.
#pragma once

#include "Case.h"
#include "Group.h"
#include "Indicators.h"

#include <cstdint>
#include <optional>

namespace borrowing {

// What the capacity is worked out from, as the fields show them.
struct CapacityFigures
{
    Amount revenue = 0;         // computable current revenue (ICOMPUT)
    Amount expenditure = 0;     // GTOTAL − AJGASREM
    Amount existingAnnuity = 0; // APVTOTAL
    Amount existingDebt = 0;    // CVPEX + CVOTEX + AJAVALES + AJNODISP, and the group's debt
    // The planned loan's yearly rate in percent and term in years.
    Amount rate = 0;
    Amount years = 0;
    // What the dependent entities add to net savings beyond the revenue `revenue` counts of
    // theirs: their net savings less that revenue.
    Amount groupSavings = 0;
};

// The capacity's figures of a case: its figures as their fields show them (the register's
// totals in place), its indicators consolidated with its group, the group, and the loan
// calculator's rate and term.
CapacityFigures capacityFigures(const Figures& figures, const Indicators& indicators,
                                const PlannedLoan& loan, const Group& group = {});

// What keeps even a loan of 0 from meeting the conditions.
enum class Shortfall : std::uint8_t
{
    None,
    NoTerm, // the planned loan has no term to work its annuity out over
    NegativeSavings,
    Debt,
    NegativeSavingsAndDebt
};

struct Capacity
{
    // Whole euros; nothing without a term.
    std::optional<Amount> amount;
    Shortfall shortfall = Shortfall::None;
    // The share of revenue in percent that live debt may reach.
    int percent = 0;

    friend bool operator==(const Capacity&, const Capacity&) = default;
};

// The largest whole number of euros X ≥ 0 whose loan, at the rate and term given, leaves net
// savings of at least 0 (revenue − expenditure − existing annuity − A(X), with A the annuity
// the register works out for its loans) and keeps 100 · (existing debt + X) at most
// `percent` · revenue. Worked out in closed form, then checked against that definition at X
// and X + 1, where the annuity's rounding to cents may move it by a euro or so.
Capacity borrowingCapacity(const CapacityFigures& figures, int percent);

// The capacity without authorisation and with it, under the rules in force, sharing the work
// that does not depend on the threshold.
struct Capacities
{
    Capacity free;
    Capacity withAuthorisation;

    friend bool operator==(const Capacities&, const Capacities&) = default;
};
Capacities borrowingCapacities(const CapacityFigures& figures);

} // namespace borrowing
