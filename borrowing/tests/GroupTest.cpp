// The group of entities: an administrative body, a company with a negative result and an entity
// without loans, consolidated with the entity's own figures, against figures worked out
// independently.
#include "Assessment.h"
#include "Checks.h"
#include "NumberFormat.h"
#include "QStringPrinter.h"
#include "Refusals.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

Amount cents(Amount x)
{
    return amount::roundToCents(x);
}

// The entity: revenue 10 million, obligations 9,3, an own loan of 2 million at 4 % over 10
// years and a planned loan of 1 million at 3 % over 10 years. Its dependent entities hold a
// loan of 200.000 at 5 % over 5 years, and one of 1 million at 4,5 % over 15 years with a
// short-term operation of 150.000.
Case group()
{
    Case c;
    c.limitText = u"110"_s;
    c.figures.revenueI = 10000000;
    c.figures.expenditureI = 9300000;
    c.figures.plannedCapital = 1000000;
    c.figures.plannedAnnuity = 115872.84L;
    c.plannedLoan = {.capital = 1000000, .rate = 3, .years = 10, .accepted = true};
    c.entities = {
        {u"Patronato de Deportes"_s, EntityKind::Administrative, 600000, 550000, 0, 400000},
        {u"Aguas SA"_s, EntityKind::Market, 3000000, 0, -50000, 100000},
        {u"Consorcio"_s, EntityKind::Administrative, 100000, 90000, 0, 0}};
    c.loans = {{u"Banco"_s, 2000000, 4, 10},
               {u"Caja"_s, 200000, 5, 5, LoanKind::Own, 100, 0, u"Patronato de Deportes"_s},
               {u"BEI"_s, 1000000, 4.5L, 15, LoanKind::Own, 100, 0, u"Aguas SA"_s},
               {u"Póliza"_s, 150000, 2, 1, LoanKind::ShortTerm, 100, 0, u"Aguas SA"_s}};
    return c;
}

TEST(Group, theDependentEntitiesAreConsolidated)
{
    const Assessment a = assess(group());
    // The entity's own figures, its register holding only its own loan.
    EXPECT_EQ(a.figures().existingCapital, 2000000);
    EXPECT_EQ(a.figures().existingAnnuity, 242988.36L);
    EXPECT_EQ(a.figures().treasuryOperations, 0);
    EXPECT_EQ(a.indicators.netSavings, 341138.8L);

    // Revenue: 10 million and what comes from outside the group, 200.000 + 2,9 million +
    // 100.000; net savings 341.138,80 + 4.709,00 − 141.799,16 + 10.000,00; debt 3 million and
    // 200.000 + 1.150.000.
    EXPECT_EQ(a.indicators.computableRevenue, 13200000);
    EXPECT_EQ(a.indicators.computableNetSavings, 214048.64L);
    EXPECT_EQ(a.indicators.computableDebt, 4350000);
    EXPECT_EQ(cents(*a.verdict.ratio), 32.95L);
    EXPECT_EQ(a.verdict.outcome, Outcome::NoAuthorisation);
    // The savings decide both: they allow less than 75 % of 13,2 million less 3,35 of debt.
    EXPECT_EQ(a.capacities.free.amount, 2847270);
    EXPECT_EQ(a.capacities.withAuthorisation.amount, 2847270);
    EXPECT_EQ(cents(a.projection.years.front().capital), 4013038.93L);
    EXPECT_EQ(cents(a.projection.years.back().capital), 560338.1L);

    ASSERT_EQ(a.group.rows.size(), 4u);
    const std::pair<Amount, Amount> savingsAndDebt[] = {
        {341138.8L, 3000000}, {4709, 200000}, {-141799.16L, 1150000}, {10000, 0}};
    for (std::size_t i = 0; i < a.group.rows.size(); ++i) {
        EXPECT_EQ(a.group.rows[i].netSavings, savingsAndDebt[i].first) << i;
        EXPECT_EQ(a.group.rows[i].debt, savingsAndDebt[i].second) << i;
    }

    // Without dependent entities every figure is the entity's own.
    Case alone = group();
    alone.entities.clear();
    alone.loans.resize(1);
    const Assessment own = assess(alone);
    EXPECT_EQ(own.indicators.computableNetSavings, 341138.8L);
    EXPECT_EQ(own.indicators.computableDebt, 3000000);
    EXPECT_FALSE(own.group.hasDependents());
}

// A loan of the sports board as the law counts it, in its row of the group and in the group's
// figures: a guaranteed loan for its share, in the annuity and the debt; a short-term operation
// in the debt alone; a mortgage left out of the annuity only. Each loan is interest-free, so its
// annuity is its counted capital over its years.
TEST(Group, aDependentEntitysLoansCountAsTheLawCountsThem)
{
    struct Row
    {
        const char* name;
        Loan loan;
        Amount annuity, netSavings, debt;
    };
    const QString board = u"Patronato de Deportes"_s;
    const Row rows[] = {
        // 400.000 guaranteed at 50 % over 4 years: 50.000 a year, 200.000 of debt.
        {"guaranteed",
         {u"Aval"_s, 400000, 0, 4, LoanKind::Guaranteed, 50, 0, board},
         95291,
         -45291,
         400000},
        {"short-term",
         {u"Póliza"_s, 100000, 2, 1, LoanKind::ShortTerm, 100, 0, board},
         45291,
         4709,
         300000},
        // 400.000 with 100.000 secured by a mortgage over 4 years: 75.000 a year.
        {"mortgage",
         {u"Hipoteca"_s, 400000, 0, 4, LoanKind::Own, 100, 100000, board},
         120291,
         -70291,
         600000},
    };
    for (const Row& row : rows) {
        Case c = group();
        c.loans.push_back(row.loan);
        const Assessment a = assess(c);
        const GroupRow& boardRow = a.group.rows[1];
        EXPECT_EQ(boardRow.annuity, row.annuity) << row.name;
        EXPECT_EQ(boardRow.netSavings, row.netSavings) << row.name;
        EXPECT_EQ(boardRow.debt, row.debt) << row.name;
        // What the loan adds to the group's figures of the case without it.
        const Amount added = row.annuity - 45291;
        EXPECT_EQ(a.indicators.computableNetSavings, 214048.64L - added) << row.name;
        EXPECT_EQ(a.indicators.computableDebt, 4350000 + row.debt - 200000) << row.name;
        // The consolidated row adds every row's annuity: 358.861,20 + 45.291 + 91.799,16.
        EXPECT_EQ(a.group.totalAnnuity, 495951.36L + added) << row.name;
    }
}

TEST(Group, entitiesNoGroupMayHoldAreRefused)
{
    const auto refusal = [](Case c) -> std::string {
        try {
            checkCase(c);
        } catch (const Refused& e) {
            return reports::refusalText(e.refusal()).toStdString();
        }
        return {};
    };
    struct Row
    {
        void (*change)(Case&);
        const char* message;
    };
    const Row rows[] = {
        {[](Case& c) { c.entities[1].name = u" "_s; }, "la entidad dependiente 2 no tiene nombre."},
        {[](Case& c) { c.entities[2].name = u"Aguas SA"_s; },
         "la entidad dependiente \"Aguas SA\" está repetida."},
        {[](Case& c) { c.entities[0].transfers = 600000.01L; },
         "la entidad dependiente \"Patronato de Deportes\": las transferencias internas pasan de "
         "sus ingresos."},
        {[](Case& c) { c.entities[1].result = -1E13L; },
         "la entidad dependiente \"Aguas SA\": el resultado pasa de 13 cifras enteras."},
        {[](Case& c) { c.loans[1].holder = u"Patronato"_s; },
         "Préstamo 2: su titular \"Patronato\" no es una entidad dependiente del caso."},
        // Names told apart by case, accents or Unicode form are one name.
        {[](Case& c) { c.entities[2].name = u" aguas sa"_s; },
         "la entidad dependiente \" aguas sa\" está repetida."},
        {[](Case& c) { c.entities[2].name = u"A\u0301guas SA"_s; },
         "la entidad dependiente \"A\u0301guas SA\" está repetida."},
        // An administrative body spends; only a company's result may be negative.
        {[](Case& c) { c.entities[0].expenditure = -0.01L; },
         "la entidad dependiente \"Patronato de Deportes\": los gastos corrientes no pueden ser "
         "negativos."},
        {[](Case& c) { c.entities[1].revenue = -1; },
         "la entidad dependiente \"Aguas SA\": los ingresos corrientes no pueden ser negativos."},
        {[](Case& c) { c.entities[2].revenue = 1E13L; },
         "la entidad dependiente \"Consorcio\": los ingresos corrientes pasan de 13 cifras "
         "enteras."},
        {[](Case& c) { c.entities[2].transfers = -5; },
         "la entidad dependiente \"Consorcio\": las transferencias internas no pueden ser "
         "negativas."},
    };
    for (const Row& row : rows) {
        Case c = group();
        row.change(c);
        EXPECT_EQ(refusal(c), row.message);
    }
    EXPECT_EQ(refusal(group()), "");
}

} // namespace
