// The indicators: each step on the results as shown, burdens kept without revenue, the
// comparison with the limit.
#include "Indicators.h"

#include "QStringPrinter.h"
#include "Verdict.h"
#include "Wording.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace Qt::StringLiterals;

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

TEST(Indicators, withoutAdjustmentsTheComputableFiguresAreTheUnadjustedOnes)
{
    for (int i = 1; i <= 200; ++i) {
        const Figures f{.revenueI = i * 1234.567L,
                        .revenueII = i * 0.335L,
                        .expenditureI = i * 987.125L,
                        .expenditureIV = 0.005L * i,
                        .existingCapital = i * 777.77L,
                        .treasuryOperations = i * 0.015L,
                        .existingAnnuity = i * 33.335L,
                        .plannedAnnuity = i * 12.345L,
                        .plannedCapital = i * 99.995L};
        const Indicators r = computeIndicators(f, 110);
        EXPECT_EQ(r.computableRevenue, r.totalRevenue) << i;
        EXPECT_EQ(r.computableNetSavings, r.netSavings) << i;
        EXPECT_EQ(r.computableDebt, r.totalCapital) << i;
    }
}

// Each adjustment, on figures just inside a threshold, moves the verdict across it.
TEST(Indicators, eachAdjustmentMovesTheVerdictAcrossAThreshold)
{
    // Revenue 1.000.000, expenditure 900.000, annuities 100.000: net savings exactly 0; live
    // debt 750.000: exactly 75 %.
    const Figures base{.revenueI = 1000000,
                       .expenditureI = 900000,
                       .existingCapital = 700000,
                       .treasuryOperations = 50000,
                       .existingAnnuity = 100000};
    struct
    {
        const char* name;
        Amount Figures::*adjustment;
        Amount value;
        Amount base;
        QString before;
        QString after;
    } const cases[] = {
        {"earmarked revenue lowers net savings", &Figures::earmarkedRevenue, 0.01L, 0,
         u"No precisa autorización"_s, u"No puede concertarse: ahorro neto negativo"_s},
        {"guarantees raise the debt above 75 %", &Figures::guarantees, 0.01L, 0,
         u"No precisa autorización"_s, u"Precisa autorización: endeudamiento superior al 75 %"_s},
        {"undrawn balances raise it above 110 %", &Figures::undrawnBalances, 350000.01L, 0,
         u"No precisa autorización"_s, u"No puede concertarse: endeudamiento superior al 110 %"_s},
        // With 0,01 of negative net savings, the surplus-financed obligations bring them to 0.
        {"surplus-financed obligations restore net savings", &Figures::surplusFinancedExpenditure,
         0.01L, 0.01L, u"No puede concertarse: ahorro neto negativo"_s,
         u"No precisa autorización"_s},
    };
    for (const auto& c : cases) {
        Figures f = base;
        f.expenditureII = c.base;
        const auto verdictOf = [](const Figures& figures) {
            const Indicators r = computeIndicators(figures, 110);
            return reports::verdictText(
                currentVerdict(r.computableRevenue, r.computableDebt, r.computableNetSavings));
        };
        EXPECT_EQ(verdictOf(f), c.before) << c.name;
        f.*c.adjustment = c.value;
        EXPECT_EQ(verdictOf(f), c.after) << c.name;
    }
}

} // namespace
