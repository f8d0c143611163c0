// The payment formula and the amortisation schedule.
#include "LoanMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace borrowing;
using amount::Amount;

namespace {

struct PaymentCase
{
    const char* name;
    Amount capital, rate;
    int months;
    Amount expected;
};

TEST(monthlyPayment, roundsToCents)
{
    const PaymentCase cases[] = {
        {"ten_years", 100000, 5, 120, 1060.66L},
        {"one_year", 12000, 6, 12, 1032.80L},
        {"thirty_years_rounds_down", 100000, 5, 360, 536.82L},
        {"no_capital", 0, 5, 120, 0},
        {"negative_capital", -100, 5, 120, 0},
        {"tie_goes_to_even", 0.0625L, 1200, 1, 0.12L}, // 12.5 cents
        {"tie_goes_to_even_upwards", 0.0675L, 1200, 1, 0.14L},
    };
    for (const auto& c : cases) {
        const Amount payment = monthlyPayment(c.capital, c.rate, c.months);
        EXPECT_LT(std::fabs(payment - c.expected), 1e-12L) << c.name << " " << double(payment);
    }
}

TEST(monthlyPayment, withoutInterestItIsTheCapitalOverTheMonths)
{
    EXPECT_EQ(monthlyPayment(12000, 0, 12), 1000);
    EXPECT_EQ(monthlyPayment(1000, 0, 12), 1000 / 12.0L); // unrounded
}

TEST(monthlyPayment, noTermFailsWithThePlatformsMessage)
{
    for (const Amount rate : {5.0L, 0.0L}) {
        try {
            monthlyPayment(100000, rate, 0);
            ADD_FAILURE() << "no error at rate " << double(rate);
        } catch (const MathError& e) {
            EXPECT_STREQ(e.what(), "Floating point division by zero");
        }
    }
    EXPECT_EQ(monthlyPayment(0, 0, 0), 0); // no capital: nothing is computed
}

TEST(quoteLoan, onePaymentAndTermForTheFieldsAndTheSchedule)
{
    struct
    {
        const char* name;
        Amount capital, rate, years;
        int months;
        Amount monthly, yearly, lastPending;
    } const cases[] = {
        {"ten years", 100000, 5, 10, 120, 1060.66L, 12727.92L, 0},
        // 1000 / 12 shows as 83.33: the yearly payment and the schedule follow what is shown.
        {"no interest", 1000, 0, 1, 12, 83.33L, 999.96L, 0.04L},
        {"a fractional term in whole months", 12000, 0, 1.5L, 18, 666.67L, 8000.04L, 0},
    };
    for (const auto& c : cases) {
        const LoanQuote q = quoteLoan(c.capital, c.rate, c.years);
        EXPECT_EQ(q.months, c.months) << c.name;
        EXPECT_EQ(q.monthlyPayment, c.monthly) << c.name;
        EXPECT_EQ(q.yearlyPayment, c.yearly) << c.name;
        ASSERT_EQ(q.schedule.size(), static_cast<std::size_t>(c.months)) << c.name;
        EXPECT_LT(std::fabs(q.schedule.back().pending - c.lastPending), 1e-9L) << c.name;
    }
}

TEST(amortisationSchedule, firstAndLastRowsOfATenYearLoan)
{
    const auto rows = amortisationSchedule(100000, 5, 1060.66L, 120);
    ASSERT_EQ(rows.size(), 120u);
    EXPECT_EQ(rows[0].month, 1);
    EXPECT_LT(std::fabs(rows[0].interest - 416.67L), 1e-12L);
    EXPECT_LT(std::fabs(rows[0].amortisation - 643.99L), 1e-12L);
    EXPECT_LT(std::fabs(rows[0].pending - 99356.01L), 1e-9L);
    EXPECT_LT(std::fabs(rows.back().interest - 4.4L), 1e-12L);
    EXPECT_LT(std::fabs(rows.back().amortisation - 1055.53L), 0.005L);
    EXPECT_EQ(rows.back().pending, 0); // the last payment was cut to what was left
}

TEST(amortisationSchedule, tooLowPaymentLeavesARemainder)
{
    const auto rows = amortisationSchedule(100000, 5, 536.82L, 360);
    ASSERT_EQ(rows.size(), 360u);
    // Worked exactly in cents, with five interest ties going to the even cent.
    EXPECT_EQ(rows.back().pending, 1.14L);
    for (const auto& row : rows)
        EXPECT_LT(std::fabs(row.amortisation + row.interest - 536.82L), 1e-9L);
}

TEST(amortisationSchedule, interestTiesGoToEven)
{
    // 6 % of 1 for a month is half a cent; of 3, one and a half.
    EXPECT_EQ(amortisationSchedule(1, 6, 10, 1).front().interest, 0);
    EXPECT_LT(std::fabs(amortisationSchedule(3, 6, 10, 1).front().interest - 0.02L), 1e-15L);
}

TEST(amortisationSchedule, noRowsForNoMonths)
{
    EXPECT_TRUE(amortisationSchedule(1000, 5, 10, 0).empty());
    EXPECT_TRUE(amortisationSchedule(1000, 5, 10, -12).empty());
}

} // namespace
