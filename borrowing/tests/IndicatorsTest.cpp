// The indicators: each step on the results as shown, burdens kept without revenue, the
// comparison with the limit.
#include "Indicators.h"

#include <gtest/gtest.h>

using namespace borrowing;

namespace {

Figures revenue(Amount total)
{
    Figures f;
    f.revenueI = f.revenueII = f.revenueIII = f.revenueIV = f.revenueV = total / 5;
    return f;
}

TEST(Indicators, eachStepUsesTheResultsAsShown)
{
    struct
    {
        const char* name;
        Figures figures;
        Amount Indicators::*result;
        Amount expected;
    } const cases[] = {
        // 33.33 × 6010.12 / 100, not 33.333… × 60.1012 (2003.37)
        {"burden per unit from the shown burden",
         {.revenueI = 3, .existingAnnuity = 1},
         &Indicators::existingBurdenPerUnit,
         2003.17L},
        {"total burden adds the shown burdens",
         {.revenueI = 3, .existingAnnuity = 1, .plannedAnnuity = 1},
         &Indicators::totalBurden,
         66.66L},
        // Inputs are rounded as their fields show them, halves away from zero.
        {"inputs as shown",
         {.revenueI = 1.005L, .revenueII = 2.004L},
         &Indicators::totalRevenue,
         3.01L},
        {"net savings from the shown gross savings",
         {.revenueI = 100,
          .expenditureI = 250,
          .expenditureII = 40,
          .expenditureIV = 10,
          .existingAnnuity = 20,
          .plannedAnnuity = 30.5L},
         &Indicators::netSavings,
         -250.5L},
        {"the limit's share of revenue", revenue(1000000), &Indicators::debtLimit, 1100000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(computeIndicators(c.figures, 110).*c.result, c.expected) << c.name;
}

TEST(Indicators, withoutRevenueTheBurdensKeepTheirEarlierValues)
{
    Figures f = revenue(1000000);
    f.existingAnnuity = 500000;
    f.plannedAnnuity = 100000;
    const Indicators before = computeIndicators(f, 110);
    EXPECT_EQ(before.existingBurden, 50);
    EXPECT_EQ(before.plannedBurden, 10);

    const Indicators after =
        computeIndicators({.existingAnnuity = 1, .plannedAnnuity = 2}, 110, before);
    EXPECT_EQ(after.existingBurden, 50);
    EXPECT_EQ(after.plannedBurden, 10);
    EXPECT_EQ(after.existingBurdenPerUnit, 3005.06L);
    EXPECT_EQ(after.totalBurdenPerUnit, 3606.07L);
    EXPECT_EQ(after.netSavings, -3);
    EXPECT_EQ(computeIndicators({}, 110).existingBurden, 0);
}

TEST(Indicators, theLimitIsComparedWithTheWholeOutstandingCapital)
{
    const std::pair<Amount, Comparison> cases[] = {
        {50000, Comparison::Equal},
        {50000.01L, Comparison::Less},
        {49999.99L, Comparison::Greater},
        {49999.995L, Comparison::Equal}, // shown as 50.000,00
    };
    for (const auto& [treasury, expected] : cases) {
        Figures f = revenue(1000000);
        f.existingCapital = 900000;
        f.plannedCapital = 150000;
        f.treasuryOperations = treasury;
        const Indicators r = computeIndicators(f, 110);
        EXPECT_EQ(r.loansCapital, 1050000);
        EXPECT_EQ(r.comparison, expected) << double(treasury);
    }
}

} // namespace
