// The debt year by year against figures worked out independently, the sentence about 75 %, the
// average life and the prudence line.
#include "Projection.h"

#include "DigitText.h"
#include "ProjectionTable.h"
#include "QStringPrinter.h"
#include "Wording.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

Amount cents(Amount x)
{
    return decimal::roundToDecimals(x, 2);
}

TEST(LoanProjection, paymentsAndPendingCapitalYearByYear)
{
    struct
    {
        const char* name;
        Loan loan;
        // Years 1 to 4.
        Amount payments[4];
        Amount pending[4];
    } const cases[] = {
        {"without interest",
         {u"A"_s, 12000, 0, 4},
         {3000, 3000, 3000, 3000},
         {9000, 6000, 3000, 0}},
        {"ending inside the ten years",
         {u"B"_s, 100000, 5, 3},
         {35965.08L, 35965.08L, 35965.08L, 0},
         {68315.35L, 35009.66L, 0, 0}},
        {"a fractional remaining term",
         {u"C"_s, 50000, 4, 2.5L},
         {21049.92L, 21049.92L, 10524.96L, 0},
         {30596.92L, 10403.33L, 0, 0}},
        {"twenty years",
         {u"D"_s, 250000, 3.5L, 20},
         {17398.80L, 17398.80L, 17398.80L, 17398.80L},
         {241211.10L, 232109.61L, 222684.40L, 212923.97L}},
    };
    for (const auto& c : cases) {
        const LoanProjection loan(c.loan);
        for (int year = 1; year <= 4; ++year) {
            EXPECT_EQ(loan.payment(year), c.payments[year - 1]) << c.name << " year " << year;
            EXPECT_EQ(cents(loan.pending(year)), c.pending[year - 1]) << c.name << " year " << year;
        }
        EXPECT_EQ(loan.payment(10), c.loan.years < 10 ? 0 : 17398.80L) << c.name;
    }
}

TEST(Projection, theRegisterThePlannedLoanAndARevenueThatGrows)
{
    ProjectionFigures f{.loans = {{u"A"_s, 12000, 0, 4}, {u"B"_s, 100000, 5, 3}},
                        .plannedLoan = {u""_s, 250000, 3.5L, 20},
                        .constantDebt = 20000,
                        .revenue = 500000,
                        .debt = 382000,
                        .revenueGrowth = 0};
    struct
    {
        Amount growth;
        int year;
        Amount existing, planned, capital, revenue, ratio;
    } const rows[] = {
        // 9.000 + 68.315,3548 + 241.211,1011 + 20.000, added unrounded
        {0, 1, 38965.08L, 17398.80L, 338526.46L, 500000, 67.71L},
        {0, 4, 3000, 17398.80L, 232923.97L, 500000, 46.58L},
        {3, 1, 38965.08L, 17398.80L, 338526.46L, 515000, 65.73L},
        {3, 10, 0, 17398.80L, 166623.41L, 671958.19L, 24.80L},
    };
    for (const auto& row : rows) {
        f.revenueGrowth = row.growth;
        const Projection p = projectDebt(f);
        ASSERT_EQ(p.years.size(), 10u);
        const ProjectionYear& y = p.years[static_cast<std::size_t>(row.year - 1)];
        EXPECT_EQ(y.existingAnnuity, row.existing) << row.year;
        EXPECT_EQ(y.plannedAnnuity, row.planned) << row.year;
        EXPECT_EQ(cents(y.capital), row.capital) << row.year;
        EXPECT_EQ(cents(y.revenue), row.revenue) << row.year;
        EXPECT_EQ(cents(*y.ratio), row.ratio) << row.year;
        EXPECT_EQ(cents(*p.now.ratio), 76.4L);
        EXPECT_FALSE(p.withoutRegister);
        EXPECT_EQ(reports::projectionSentence(p), u"El endeudamiento baja del 75 % en el año 1."_s);
    }

    // Without a register only the planned loan is projected, and the debt stays above 75 %.
    f.loans.clear();
    f.revenue = 200000;
    f.revenueGrowth = 0;
    const Projection p = projectDebt(f);
    EXPECT_TRUE(p.withoutRegister);
    EXPECT_EQ(p.years[0].existingAnnuity, 0);
    EXPECT_EQ(cents(p.years[0].capital), 261211.10L);
    EXPECT_FALSE(p.yearWithinFreeLimit);
    EXPECT_FALSE(projectDebt({.revenue = 0}).years[0].ratio);
}

// What the sentence under the table says of the debt's way, from above 75 % or from under it:
// a loan of 10 paid in the first year beside a constant debt, against revenue that grows or
// shrinks; without a register there is no way to tell.
TEST(Projection, theSentenceFollowsTheDebtFromWhereItIsToday)
{
    struct Row
    {
        const char* name;
        Amount constantDebt, growth;
        bool withRegister;
        const char16_t* sentence;
    };
    const Row rows[] = {
        // 710 of 1.000 today, 700 after: 70 % every year.
        {"under and staying", 700, 0, true,
         u"El endeudamiento no supera el 75 % en los próximos diez años."},
        // 700 against 950 and then 902,50: 73,7 % and then 77,6 %.
        {"under, then above", 700, -5, true, u"El endeudamiento supera el 75 % en el año 2."},
        // 800 today, 790 after: 79 % every year.
        {"above and staying", 790, 0, true, u"No baja del 75 % en los próximos diez años."},
        // 790 against 1.030 and then 1.060,90: 76,7 % and then 74,5 %.
        {"above, then under", 790, 3, true, u"El endeudamiento baja del 75 % en el año 2."},
        {"without a register", 790, 3, false,
         u"Sin el registro de los préstamos vigentes solo se proyecta la nueva operación: no se "
         u"estima la evolución del endeudamiento."},
    };
    for (const Row& row : rows) {
        ProjectionFigures f{.constantDebt = row.constantDebt,
                            .revenue = 1000,
                            .debt = row.constantDebt + 10,
                            .revenueGrowth = row.growth};
        if (row.withRegister)
            f.loans = {{u"A"_s, 10, 0, 1}};
        EXPECT_EQ(reports::projectionSentence(projectDebt(f)), QString::fromUtf16(row.sentence))
            << row.name;
    }
}

// A revenue that shrinks to less than a cent gives no ratio; no percentage is ever written with
// an exponent.
TEST(Projection, aRevenueThatShowsNothingHasNoRatio)
{
    const ProjectionFigures f{.plannedLoan = {u"N"_s, 9999999999999.99L, 5, 20},
                              .constantDebt = 29999999999999.97L,
                              .revenue = 1000000,
                              .debt = 0,
                              .revenueGrowth = -99.99L};
    const Projection p = projectDebt(f);
    EXPECT_TRUE(p.years[0].ratio); // 100 euros
    EXPECT_TRUE(p.years[1].ratio); // a cent
    EXPECT_FALSE(p.years[2].ratio);
    EXPECT_FALSE(p.years[9].burden);
    for (const QStringList& row : reports::projectionRows(p, {u',', u'.'})) {
        for (const QString& cell : row)
            EXPECT_FALSE(cell.contains(u'E')) << cell.toStdString();
    }
    EXPECT_EQ(reports::projectionRows(p, {u',', u'.'})[9][5], u"—"_s);
}

TEST(Projection, averageLifeAndPrudence)
{
    const std::pair<Loan, Amount> lives[] = {
        {{u"20 years at 3 %"_s, 100000, 3, 20}, 11.03L},
        {{u"one year, nearly a bullet"_s, 100000, 5, 1}, 0.55L},
        {{u"no capital"_s, 0, 5, 10}, 0},
    };
    for (const auto& [loan, life] : lives) {
        const LoanQuote quote = quoteLoan(loan.capital, loan.rate, loan.years);
        EXPECT_EQ(quote.averageLife, life) << loan.lender.toStdString();
    }
    EXPECT_EQ(reports::prudenceText(meetsPrudence(3.5L, 0)), QString());
    EXPECT_EQ(reports::prudenceText(meetsPrudence(3.5L, 3.5L)),
              u"Cumple el principio de prudencia financiera"_s);
    EXPECT_EQ(reports::prudenceText(meetsPrudence(3.51L, 3.5L)),
              u"No cumple el principio de prudencia financiera: el tipo supera el máximo"_s);
}

} // namespace
