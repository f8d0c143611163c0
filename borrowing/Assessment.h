// The one pipeline from a case to everything the program shows of it.
#pragma once

#include "Capacity.h"
#include "Case.h"
#include "Group.h"
#include "Indicators.h"
#include "LoanMath.h"
#include "LoanRegister.h"
#include "Opinion.h"
#include "Projection.h"
#include "Verdict.h"

#include <cstdint>
#include <optional>

namespace borrowing {

struct Assessment
{
    // The case as the window holds it (shownCase): its figures as their fields show them, with
    // the register's totals in place while it holds loans.
    Case shown;
    Indicators indicators;
    // Under the rules in force: the verdict, how much can be borrowed without authorisation
    // and with it, and the debt year by year.
    Verdict verdict;
    Capacities capacities;
    Projection projection;
    // The loan calculator's payments, schedule and average life as it last worked them out.
    LoanQuote quote;
    // The entity and its dependent entities; with any, the computable figures, the verdict,
    // the capacity and the projection are the group's.
    Group group;
    // Whether the planned loan's rate keeps within the prudence maximum; nothing without one.
    std::optional<bool> prudent;
    // The Intervención's: who approves the operation, and its opinion.
    DecidingBody decidingBody = DecidingBody::PlenarySimpleMajority;
    Opinion opinion;

    const Figures& figures() const { return shown.figures; }
    // The debt limit in percent; 0 when none is set.
    std::int32_t debtLimit() const;

    friend bool operator==(const Assessment&, const Assessment&) = default;
};

// Everything that follows from a case. `previous` are the indicators shown before, whose burden
// percentages stand when there is no revenue to work them out from; `quote` is what the loan
// calculator last worked out, which its inputs may have left behind since.
Assessment assess(const Case& c, const Indicators& previous = {}, const LoanQuote& quote = {});

} // namespace borrowing
