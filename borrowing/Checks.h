// The bounds of what a case may hold, and the check of a whole case before it is shown.
#pragma once

#include "CaseFields.h"
#include "LoanRegister.h"

#include <optional>
#include <vector>

namespace borrowing {

// Whether a value fits an amount field: 13 integer digits at most.
bool fitsAField(Amount value);

// What is wrong with a value of a number field: past 13 integer digits or below 0 where its
// bounds start there (an amount), outside its bounds (a percentage or a term, which counts in
// whole months: one that rounds to none is no term); nothing when it fits.
std::optional<Refusal::Reason> valueProblem(FieldKind kind, const Bounds& bounds, Amount value);
template <typename Record>
std::optional<Refusal::Reason> valueProblem(const Field<Record>& field, Amount value)
{
    return valueProblem(field.kind, field.bounds, value);
}

// What is wrong with a loan's mortgage-secured part: below 0, above its capital, or on a
// short-term operation.
std::optional<Refusal::Reason> mortgageProblem(const Loan& loan);
// A name as names are told apart: without the spaces around it, in any case, with or without
// accents, in any Unicode form ("Suelo", " SUELO", "suelo" are one name).
QString comparableName(const QString& name);
// What is wrong with the dependent entities: an empty or repeated name, an amount past its
// field's digits, revenue, expenditure or internal transfers below 0, transfers above the
// entity's revenue.
std::optional<Refusal> entitiesProblem(const std::vector<DependentEntity>& entities);
// What is wrong with a recovery plan: years outside 1 to 3, a spending growth outside ±100 %, a
// measure below 0 or past its digits, measures for more years than the plan has.
std::optional<Refusal> planProblem(const RecoveryPlan& plan);
// What is wrong with figures that would hold the totals of the entity's own loans: the first
// figure the register fills that would pass 13 integer digits.
std::optional<Refusal> registerTotalsProblem(const RegisterTotals& own,
                                             const Figures& figures = {});

// The first thing a case holds that it may not: a figure out of its bounds, a loan or an entity
// no register or group may have, a loan of a holder the case does not have, or register totals
// that would not stand in their fields.
std::optional<Refusal> caseProblem(const Case& c);
// Throws Refused with caseProblem(c), if any.
void checkCase(const Case& c);

} // namespace borrowing
