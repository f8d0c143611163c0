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
#include "RecoveryPlan.h"
#include "Stability.h"
#include "Verdict.h"

#include <cstdint>
#include <optional>

namespace borrowing {

// The planned loan's annuity as typed and as its terms give it, when they disagree.
struct AnnuityMismatch
{
    Amount typed = 0;
    Amount terms = 0;

    friend bool operator==(const AnnuityMismatch&, const AnnuityMismatch&) = default;
};

struct Assessment
{
    // The case as the window holds it (shownCase): its figures as their fields show them, with
    // the register's totals in place while it holds loans.
    Case shown;
    // The register as the law counts it: each loan, each holder's and each kind's totals.
    RegisterSummary registerSummary;
    Indicators indicators;
    // Under the rules in force: the verdict, how much can be borrowed without authorisation
    // and with it, and the debt year by year.
    Verdict verdict;
    Capacities capacities;
    Projection projection;
    // The planned loan's payments, schedule and average life, from its terms; nothing when they
    // give none.
    LoanQuote quote;
    // The typed annuity of the planned loan against its terms', when these are known and the
    // two differ by a cent or more: net savings count the typed one.
    std::optional<AnnuityMismatch> annuityMismatch;
    // The entity and its dependent entities; with any, the computable figures, the verdict,
    // the capacity and the projection are the group's.
    Group group;
    // Whether the planned loan's rate keeps within the prudence maximum; nothing without one.
    std::optional<bool> prudent;
    // The Intervención's: who approves the operation, on what amounts, and its opinion; budget
    // stability, the entity's own.
    Competence competence;
    Opinion opinion;
    StabilityStatement stability;
    // The financial recovery plan, year by year with its measures.
    PlanOutcome plan;

    const Figures& figures() const { return shown.figures; }
    // The debt limit in percent; 0 when none is set.
    std::int32_t debtLimit() const;

    friend bool operator==(const Assessment&, const Assessment&) = default;
};

// Everything that follows from a case. `previous` are the indicators shown before, whose burden
// percentages stand when there is no revenue to work them out from.
Assessment assess(const Case& c, const Indicators& previous = {});

// The quote of the planned loan's terms; nothing when they are all 0 or give no payment.
LoanQuote quoteOf(const PlannedLoan& loan);

} // namespace borrowing
