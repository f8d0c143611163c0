// Two whole cases as a user leaves them, with the loan calculator's last payments, and their
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

// The case assessed as the window assesses it.
inline borrowing::Assessment assessed(const borrowing::Case& c)
{
    return borrowing::assess(c);
}

} // namespace samples
