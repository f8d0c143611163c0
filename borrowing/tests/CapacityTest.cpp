// How much can be borrowed: the largest whole euro that meets both conditions, checked against
// the definition at the answer and the euro after it.
#include "Capacity.h"

#include "LoanRegister.h"
#include "QStringPrinter.h"
#include "Wording.h"

#include <gtest/gtest.h>

#include <random>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

// The definition itself: net savings of at least 0 and debt within `percent` of revenue.
bool meetsDefinition(const CapacityFigures& f, int percent, Amount x)
{
    const Amount annuity = theoreticalAnnuity({QString(), x, f.rate, f.years});
    const Amount netSavings = f.revenue - f.expenditure - f.existingAnnuity - annuity;
    const Amount debt = f.existingDebt + x;
    return netSavings >= 0 && 100 * debt <= static_cast<Amount>(percent) * f.revenue;
}

void expectLargest(const CapacityFigures& f, int percent, const Capacity& c, const char* name)
{
    ASSERT_TRUE(c.amount) << name;
    EXPECT_EQ(*c.amount, std::floor(*c.amount)) << name;
    if (c.shortfall == Shortfall::None) {
        EXPECT_TRUE(meetsDefinition(f, percent, *c.amount)) << name;
    }
    EXPECT_FALSE(meetsDefinition(f, percent, *c.amount + 1)) << name;
}

TEST(Capacity, theLargestEuroThatMeetsTheDefinition)
{
    // Revenue 1.000.000 with nothing spent: the savings room is expenditure away.
    const auto figures = [](Amount expenditure, Amount existingDebt, Amount rate, Amount years) {
        return CapacityFigures{1000000, expenditure, 0, existingDebt, rate, years};
    };
    struct
    {
        const char* name;
        CapacityFigures figures;
        int percent;
        Amount expected;
        QString reason;
    } const cases[] = {
        // 100.000 at 5 % over 10 years is 12.727,92 a year; 100.001 is 12.728,04.
        {"the annuity's rounding decides the last euro",
         figures(1000000 - 12727.92L, 0, 5, 10),
         110,
         100000,
         {}},
        {"a cent less of room, a euro less",
         figures(1000000 - 12727.91L, 0, 5, 10),
         110,
         99999,
         {}},
        {"without interest", figures(999000, 0, 0, 10), 110, 10000, {}},
        {"the debt limit decides", figures(0, 700000, 5, 10), 75, 50000, {}},
        {"exactly at the limit already", figures(0, 750000, 5, 10), 75, 0, {}},
        {"the debt already above 75 %", figures(0, 750000.01L, 5, 10), 75, 0,
         u"Sin capacidad: endeudamiento superior al 75 %"_s},
        {"but within 110 %", figures(0, 750000.01L, 5, 10), 110, 349999, {}},
        {"negative net savings before any loan", figures(1000000.01L, 0, 5, 10), 110, 0,
         u"Sin capacidad: ahorro neto negativo"_s},
        {"both", figures(1000000.01L, 1100000.01L, 5, 10), 110, 0,
         u"Sin capacidad: ahorro neto negativo y endeudamiento superior al 110 %"_s},
        {"no revenue", {0, 0, 0, 0, 5, 10}, 110, 0, {}},
    };
    for (const auto& c : cases) {
        const Capacity capacity = borrowingCapacity(c.figures, c.percent);
        expectLargest(c.figures, c.percent, capacity, c.name);
        EXPECT_EQ(capacity.amount.value_or(-1), c.expected) << c.name;
        EXPECT_EQ(reports::shortfallText(capacity), c.reason) << c.name;
    }
}

TEST(Capacity, withoutATermThereIsNone)
{
    for (const Amount years : {0.0L, -1.0L}) {
        const Capacity c = borrowingCapacity({1000000, 0, 0, 0, 5, years}, 75);
        EXPECT_FALSE(c.amount);
        EXPECT_EQ(reports::shortfallText(c),
                  u"Indique interés y plazo en la Calculadora de Préstamos"_s);
    }
}

TEST(Capacity, randomCasesMeetTheDefinitionAtTheAnswerAndNotOneEuroMore)
{
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> share(0, 1.2);
    std::uniform_int_distribution<int> cents(0, 1000000000);
    for (int i = 0; i < 3000; ++i) {
        const Amount revenue = cents(random) / 100.0L;
        const CapacityFigures f{revenue,
                                static_cast<Amount>(share(random)) * revenue,
                                static_cast<Amount>(share(random)) * revenue / 10,
                                static_cast<Amount>(share(random)) * revenue,
                                (cents(random) % 1000) / 100.0L,
                                static_cast<Amount>(1 + cents(random) % 100)};
        for (const int percent : {75, 110})
            expectLargest(f, percent, borrowingCapacity(f, percent), "random");
    }
}

} // namespace
