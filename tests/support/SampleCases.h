// Whole cases as a user leaves them, with the loan calculator's last payments, and their
// assessments.
#pragma once

#include "Assessment.h"

namespace samples {

using namespace Qt::StringLiterals;

// An accepted 10-year loan, positive savings, the limit above the outstanding capital.
inline borrowing::Case surplusCase()
{
    borrowing::Case c;
    c.entityName = u"Villa"_s;
    c.entityProvince = u"Soria"_s;
    c.limitText = u"110"_s;
    borrowing::Figures& f = c.figures;
    f.revenueI = 1000000;
    f.expenditureI = 800000;
    f.existingAnnuity = 50000;
    f.plannedAnnuity = 12727.92L;
    f.existingCapital = 300000;
    f.plannedCapital = 100000;
    f.treasuryOperations = 50000;
    c.plannedLoan = {.capital = 100000, .rate = 5, .years = 10, .accepted = true};
    return c;
}

// A 20-year loan not accepted, negative savings, the outstanding capital above the limit, and
// every adjustment.
inline borrowing::Case deficitCase()
{
    borrowing::Case c = surplusCase();
    c.entityName = u"Villanueva del Campo"_s;
    c.entityProvince = u"Zamora"_s;
    borrowing::Figures& f = c.figures;
    f.expenditureI = 1100000;
    f.plannedAnnuity = 7919.52L;
    f.existingCapital = 1100000;
    f.earmarkedRevenue = 20000;
    f.surplusFinancedExpenditure = 5000;
    f.guarantees = 30000;
    f.undrawnBalances = 10000;
    c.plannedLoan = {.capital = 100000, .rate = 5, .years = 20, .accepted = false};
    return c;
}

// Negative net savings for a recovery plan. Current revenue and spending of 1.000.000; loans in
// force without interest: 36.000 over a year and a half (24.000 in year 1, 12.000 in year 2) and
// 60.000 over six years (10.000 a year). The new loan, 100.000 over two years, pays 50.000 in
// years 1 and 2. Net savings are -84.000.
inline borrowing::Case recoveryCase()
{
    borrowing::Case c;
    c.limitText = u"110"_s;
    c.figures.revenueI = 1000000;
    c.figures.expenditureI = 1000000;
    c.loans = {{u"Caja"_s, 36000, 0, 1.5L}, {u"Banco"_s, 60000, 0, 6}};
    c.plannedLoan = {.capital = 100000, .rate = 0, .years = 2, .accepted = true};
    c.figures.plannedCapital = 100000;
    c.figures.plannedAnnuity = 50000;
    return c;
}

// The case assessed as the window assesses it.
inline borrowing::Assessment assessed(const borrowing::Case& c)
{
    return borrowing::assess(c);
}

} // namespace samples
