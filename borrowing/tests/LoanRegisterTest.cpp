// The register of existing loans: annuities and totals as shown.
#include "LoanRegister.h"

#include "DigitText.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <random>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

TEST(LoanRegister, theoreticalAnnuity)
{
    const std::pair<Loan, Amount> cases[] = {
        {{u"A"_s, 100000, 5, 10}, 12727.92L},
        {{u"one year"_s, 12000, 6, 1}, 12393.6L},
        {{u"small rate"_s, 250000, 0.01L, 1}, 250013.52L},
        {{u"high rate, 40 years"_s, 100000, 20, 40}, 20007.12L},
        {{u"25 years"_s, 1000000, 3.25L, 25}, 58477.92L},
        {{u"no interest"_s, 12000, 0, 4}, 3000},
        {{u"no interest, a half cent up"_s, 1000.05L, 0, 2}, 500.03L},
        {{u"no interest, a third"_s, 100, 0, 3}, 33.33L},
        {{u"no years"_s, 100000, 5, 0}, 0},
        {{u"no capital"_s, 0, 5, 10}, 0},
        {{u"no capital, no interest"_s, 0, 0, 10}, 0},
        // Fewer than twelve months left: the payments the year still holds.
        {{u"one month left"_s, 1250000, 3.25L, 1.0L / 12}, 1253385.42L},
        {{u"six months left"_s, 120000, 5, 0.5L}, 121756.08L},
        {{u"six months left, no interest"_s, 120000, 0, 0.5L}, 120000},
    };
    for (const auto& [loan, annuity] : cases)
        EXPECT_EQ(theoreticalAnnuity(loan), annuity) << loan.lender.toStdString();
}

// Twelve payments in cents, divided once, are what rounding their decimal text gives.
TEST(LoanRegister, theAnnuityFormulaIsTwelvePaymentsRoundedToCents)
{
    std::mt19937_64 random(53);
    std::uniform_int_distribution<long long> cents(1, 999'999'999'999'999LL);
    std::uniform_int_distribution<int> hundredths(1, 10000);
    std::uniform_int_distribution<int> years(1, 100);
    for (int i = 0; i < 20000; ++i) {
        const Amount capital = static_cast<Amount>(cents(random)) / (i % 2 ? 100 : 1);
        const Amount rate = static_cast<Amount>(hundredths(random)) / 100;
        const int term = years(random);
        const Amount expected = decimal::roundToDecimals(
            MonthsPerYear * monthlyPayment(capital, rate, term * MonthsPerYear), 2);
        EXPECT_EQ(AnnuityFormula(rate, term)(capital), expected)
            << double(capital) << " " << double(rate) << " " << term;
    }
}

TEST(LoanRegister, totalsAddTheFiguresAsShown)
{
    // Three thirds: each annuity shows 33.33, so the total is 99.99, not 100.
    const std::vector<Loan> thirds(3, Loan{u"B"_s, 100, 0, 3});
    const RegisterTotals totals = registerTotals(thirds);
    EXPECT_EQ(totals.annuity, 99.99L);
    EXPECT_EQ(totals.capital, 300);
    const RegisterTotals cents = registerTotals({{u"a"_s, 0.1L, 0, 1}, {u"b"_s, 0.2L, 0, 1}});
    EXPECT_EQ(cents.capital, 0.3L);
    EXPECT_EQ(cents.annuity, 0.3L);
    EXPECT_EQ(registerTotals({}).annuity, 0);
}

} // namespace
