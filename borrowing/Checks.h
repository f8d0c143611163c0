// The bounds of what a case may hold, and the check of a whole case before it is shown.
#pragma once

#include "Case.h"

#include <QString>

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
    Years
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
// The same for the loan calculator's inputs, where no years are allowed.
QString plannedLoanFigureProblem(LoanFigure figure, Amount value);

// Checks every figure of a case against its bounds, then works out all that the window will
// compute from it and checks that the register's totals stand in their fields; throws
// InvalidInput naming the first figure that fails. The message follows "No se puede abrir
// "NAME": ".
void checkCase(const Case& c);

} // namespace borrowing
