// Budget stability of the last settlement: the non-financial balance, the adjustment for what
// chapters I to III collected, the financing capacity or need, and what they ask of the entity,
// against figures worked out by hand.
#include "Assessment.h"
#include "QStringPrinter.h"
#include "TestSeparators.h"
#include "Wording.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

// Rights of 2.000.000 in chapters I to VII (1.300.000 of them in I to III) and obligations of
// 1.950.000 in I to IV, VI and VII: a balance of 50.000, less 10.000 of other adjustments.
Case settlement()
{
    Case c;
    Figures& f = c.figures;
    f.revenueI = 1000000;
    f.revenueII = 100000;
    f.revenueIII = 200000;
    f.revenueIV = 500000;
    f.revenueV = 50000;
    f.revenueVI = 30000;
    f.revenueVII = 120000;
    f.expenditureI = 800000;
    f.expenditureII = 600000;
    f.expenditureIII = 20000;
    f.expenditureIV = 100000;
    f.expenditureVI = 400000;
    f.expenditureVII = 30000;
    f.otherAdjustments = -10000;
    return c;
}

TEST(Stability, theCapacityAndWhatItAsks)
{
    struct Row
    {
        const char* name;
        void (*change)(Case&);
        Amount collectionAdjustment, capacity;
        bool capacityGiven, planNeeded;
        std::optional<Amount> spendingCut;
    };
    const Row rows[] = {
        {"no collections given", [](Case&) {}, 0, 40000, false, false, std::nullopt},
        // 1.250.000 collected of 1.300.000: an adjustment of -50.000.
        {"collections short of the rights", [](Case& c) { c.figures.collections = 1250000; },
         -50000, -10000, false, true, std::nullopt},
        {"the expenditure rule broken", [](Case& c) { c.stability.rule = SpendingRule::Broken; }, 0,
         40000, false, true, std::nullopt},
        {"a negative cash surplus", [](Case& c) { c.figures.cashSurplus = -25000.5L; }, 0, 40000,
         false, false, 25000.5L},
        // A figure an older case gave stands while no settlement's figure beyond I to V is.
        {"a capacity given alone",
         [](Case& c) {
             c = Case{};
             c.stability.givenCapacity = -5000;
         },
         0, -5000, true, true, std::nullopt},
        {"a capacity given beside the settlement",
         [](Case& c) { c.stability.givenCapacity = -5000; }, 0, 40000, false, false, std::nullopt},
    };
    for (const Row& row : rows) {
        Case c = settlement();
        row.change(c);
        const Assessment a = assess(c);
        SCOPED_TRACE(row.name);
        if (!row.capacityGiven) {
            EXPECT_EQ(a.indicators.nonFinancialRevenue, 2000000);
            EXPECT_EQ(a.indicators.nonFinancialExpenditure, 1950000);
            EXPECT_EQ(a.indicators.nonFinancialBalance, 50000);
        }
        EXPECT_EQ(a.indicators.collectionAdjustment, row.collectionAdjustment);
        EXPECT_EQ(a.stability.capacity, row.capacity);
        EXPECT_EQ(a.stability.capacityGiven, row.capacityGiven);
        EXPECT_EQ(a.stability.planNeeded, row.planNeeded);
        EXPECT_EQ(a.stability.spendingCut, row.spendingCut);
    }
}

TEST(Stability, whatThePageAndTheReportsSay)
{
    Case c = settlement();
    c.figures.otherAdjustments = -60000;
    c.figures.cashSurplus = -1234.5L;
    const Assessment a = assess(c);
    EXPECT_EQ(
        reports::stabilityLines(a.stability, true, testsupport::Spanish),
        (QStringList{u"Cifras de la entidad; no incluyen las de sus entes dependientes."_s,
                     u"Sin ajuste por recaudación: no consta la recaudación de los capítulos I a "
                     u"III."_s,
                     u"Necesidad de financiación: la entidad debe formular un plan "
                     u"económico-financiero (art. 21 LOEPSF)."_s,
                     u"Remanente de tesorería negativo: el Pleno debe reducir gastos del nuevo "
                     u"presupuesto en 1.234,50 € (art. 193 TRLHL)."_s}));
    EXPECT_EQ(reports::capacityStatementText(a.stability, testsupport::Spanish), u"-10.000,00 €"_s);
    c = Case{};
    c.stability.givenCapacity = 2500;
    EXPECT_EQ(reports::capacityStatementText(assess(c).stability, testsupport::Spanish),
              u"2.500,00 € (dato facilitado)"_s);
}

} // namespace
