// The bounds of what a case may hold, and the check of a whole case before it is shown.
#pragma once

#include "Case.h"

#include <QString>

#include <optional>

namespace borrowing {

// The largest amount a field takes: 13 integer digits, so that it still shows to the cent.
inline constexpr Amount LargestAmount = 9999999999999.99L;
// A yearly rate in percent, and a term in years, are at most this; revenue grows or shrinks by
// at most this percentage a year.
inline constexpr Amount LargestRate = 100;
inline constexpr Amount LargestYears = 100;
inline constexpr Amount LargestGrowth = 100;

enum class LoanFigure
{
    Capital,
    Rate,
    Years,
    // The share of a loan the entity guarantees, in percent.
    GuaranteedShare
};

// What is wrong with a value as an amount ("pasa de 13 cifras enteras"); empty when nothing.
QString amountProblem(Amount value);
// The lowest value a figure may have: 0 for the adjustments, which only add to or take from
// what they adjust, and -LargestAmount for the rest.
Amount lowestFigure(Amount Figures::*figure);
// What is wrong with a register whose totals would not stand in their fields ("El total del
// registro pasaría de 13 cifras enteras."); empty when nothing.
QString registerTotalsProblem(const std::vector<Loan>& loans);
// What is wrong with a value as this figure of a loan in force: a capital of at least 0, a rate
// from 0 to 100 and from more than 0 up to 100 years (at least half a month, which counts as
// one); empty when nothing.
QString loanFigureProblem(LoanFigure figure, Amount value);
// What is wrong with a loan's figures together: a mortgage-secured part below 0 or above its
// capital, or on a short-term operation ("la garantía hipotecaria no puede pasar del capital
// pendiente"); empty when nothing.
QString loanMortgageProblem(const Loan& loan);
// What is wrong with the dependent entities: an empty or repeated name, an amount past its
// field's digits, internal transfers below 0 or above the entity's revenue ("la entidad
// dependiente "Aguas": las transferencias internas pasan de sus ingresos"); empty when nothing.
QString entitiesProblem(const std::vector<DependentEntity>& entities);
// The kind a text names, in any case: "propio", "avalado" (or "avalado a terceros"), "corto"
// (or "corto plazo"); nothing for any other text.
std::optional<LoanKind> loanKindNamed(const QString& text);
// The same for the loan calculator's inputs, where no years are allowed.
QString plannedLoanFigureProblem(LoanFigure figure, Amount value);

// Checks every figure of a case against its bounds, then works out all that the window will
// compute from it and checks that the register's totals stand in their fields; throws
// InvalidInput naming the first figure that fails. The message follows "No se puede abrir
// "NAME": ".
void checkCase(const Case& c);

} // namespace borrowing
