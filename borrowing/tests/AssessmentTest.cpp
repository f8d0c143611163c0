// The assessment of a case whose register holds a loan of each kind, against figures worked out
// independently, and the refusal of loans no register may hold.
#include "Assessment.h"

#include "Checks.h"
#include "NumberFormat.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

Amount cents(Amount x)
{
    return amount::roundToCents(x);
}

// Revenue of 10 million, obligations of 8, a planned loan of 1 million at 3 % over 10 years,
// and a register of an own loan partly mortgage-secured, a loan guaranteed at 60 % and a
// short-term operation. The typed treasury operations and guarantees give way to the
// register's; the undrawn balances stay.
Case eachKind()
{
    Case c;
    c.limitText = u"110"_s;
    c.figures.revenueI = 10000000;
    c.figures.expenditureI = 8000000;
    c.figures.plannedCapital = 1000000;
    c.figures.plannedAnnuity = 115872.84L;
    c.figures.treasuryOperations = 999;
    c.figures.guarantees = 777;
    c.figures.undrawnBalances = 100000;
    c.plannedLoan = {.capital = 1000000, .rate = 3, .years = 10, .accepted = true};
    c.loans = {{u"Hipotecario"_s, 2000000, 4, 10, LoanKind::Own, 100, 500000},
               {u"Empresa municipal"_s, 1000000, 5, 5, LoanKind::Guaranteed, 60, 0},
               {u"Tesorería"_s, 300000, 2, 1, LoanKind::ShortTerm, 100, 0}};
    return c;
}

TEST(Assessment, eachLoanCountsAsTheLawCountsIt)
{
    const Assessment a = assess(eachKind());
    const Figures& f = a.figures();
    // The own loan's annuity on 1.500.000 at 4 % over 10 years, the guaranteed one's on
    // 600.000 at 5 % over 5 years: 182.241,24 + 135.872,88.
    EXPECT_EQ(f.existingCapital, 2000000);
    EXPECT_EQ(f.existingAnnuity, 318114.12L);
    EXPECT_EQ(f.treasuryOperations, 300000);
    EXPECT_EQ(f.guarantees, 600000);
    EXPECT_EQ(f.undrawnBalances, 100000);
    EXPECT_EQ(a.indicators.computableRevenue, 10000000);
    EXPECT_EQ(a.indicators.computableNetSavings, 1566013.04L);
    EXPECT_EQ(a.indicators.computableDebt, 4000000);
    EXPECT_EQ(a.verdict.outcome, Outcome::NoAuthorisation);
    EXPECT_EQ(cents(*a.verdict.ratio), 40);
    // 75 % and 110 % of revenue less the 3.000.000 of debt before the planned loan.
    EXPECT_EQ(a.capacities.free.amount, 4500000);
    EXPECT_EQ(a.capacities.withAuthorisation.amount, 8000000);

    // Year 1: every loan's pending capital as it counts for debt, the short-term operation and
    // the undrawn balances as they stand; year 10: the own loan paid off in it, the guaranteed
    // one five years before.
    const ProjectionYear& first = a.projection.years.front();
    EXPECT_EQ(first.existingAnnuity, 318114.12L);
    EXPECT_EQ(first.plannedAnnuity, 115872.84L);
    EXPECT_EQ(cents(first.capital), 3638593.43L);
    EXPECT_EQ(cents(*first.ratio), 36.39L);
    const ProjectionYear& last = a.projection.years.back();
    EXPECT_EQ(last.existingAnnuity, 182241.24L);
    EXPECT_EQ(cents(last.capital), 400000);
    EXPECT_FALSE(a.projection.withoutRegister);
}

TEST(Assessment, loansNoRegisterMayHoldAreRefused)
{
    const std::pair<Loan, const char*> cases[] = {
        {{u"A"_s, 1000, 5, 10, LoanKind::Guaranteed, 150, 0},
         "Préstamo 2: el aval (%) debe ser mayor que 0 y no mayor que 100."},
        {{u"A"_s, 1000, 5, 10, LoanKind::Guaranteed, 0, 0},
         "Préstamo 2: el aval (%) debe ser mayor que 0 y no mayor que 100."},
        {{u"A"_s, 1000, 5, 10, LoanKind::Own, 100, 1000.01L},
         "Préstamo 2: la garantía hipotecaria no puede pasar del capital pendiente."},
        {{u"A"_s, 1000, 5, 1, LoanKind::ShortTerm, 100, 1},
         "Préstamo 2: una operación a corto plazo no lleva garantía hipotecaria."},
        {{u"A"_s, 1000, 5, 10, LoanKind::Own, 100, -1},
         "Préstamo 2: la garantía hipotecaria no puede ser negativa."},
    };
    for (const auto& [loan, message] : cases) {
        Case c = eachKind();
        c.loans.insert(c.loans.begin() + 1, loan);
        try {
            checkCase(c);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const InvalidInput& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
    EXPECT_NO_THROW(checkCase(eachKind()));
}

} // namespace
