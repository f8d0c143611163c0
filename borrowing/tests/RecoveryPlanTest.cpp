// The financial recovery plan against figures worked out by hand: every cell of its table, the
// year it brings net savings to zero or what it lacks, with loans that end within the plan, a
// group, and no register.
#include "Assessment.h"
#include "PlanTable.h"
#include "QStringPrinter.h"
#include "SampleCases.h"
#include "TestSeparators.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

using samples::recoveryCase;

RecoveryPlan plan(Amount years, Amount spendingGrowth, std::vector<PlanMeasures> measures)
{
    return {.years = years, .spendingGrowth = spendingGrowth, .measures = std::move(measures)};
}

TEST(RecoveryPlan, theTableAndWhatItSays)
{
    struct Row
    {
        const char* name;
        void (*change)(Case&);
        QList<QStringList> table;
        QStringList sentences;
    };
    const Row rows[] = {
        // Revenue grows 1,5 % (1.045.678,375 in year 3, rounded up), spending 1 % from 980.000.
        {"growth and loans ending within the plan",
         [](Case& c) {
             c.figures.expenditureI = 980000;
             c.evolution.growth = 1.5L;
             c.plan = plan(3, 1, {});
         },
         {{u"1"_s, u"1.015.000,00"_s, u"989.800,00"_s, u"25.200,00"_s, u"34.000,00"_s,
           u"-8.800,00"_s, u"-58.800,00"_s},
          {u"2"_s, u"1.030.225,00"_s, u"999.698,00"_s, u"30.527,00"_s, u"22.000,00"_s,
           u"8.527,00"_s, u"-41.473,00"_s},
          {u"3"_s, u"1.045.678,38"_s, u"1.009.694,98"_s, u"35.983,40"_s, u"10.000,00"_s,
           u"25.983,40"_s, u"25.983,40"_s}},
         {u"El plan ajusta a cero el ahorro neto en el año 2 (art. 53.1 TRLHL)."_s,
          u"Con la nueva operación, el ahorro neto del año 3 es de 25.983,40 €."_s}},
        {"measures closing the gap in year 3",
         [](Case& c) {
             c.plan = plan(3, 0, {{10000, 5000}, {10000, 5000}, {6000, 4000}});
         },
         {{u"1"_s, u"1.010.000,00"_s, u"995.000,00"_s, u"15.000,00"_s, u"34.000,00"_s,
           u"-19.000,00"_s, u"-69.000,00"_s},
          {u"2"_s, u"1.010.000,00"_s, u"995.000,00"_s, u"15.000,00"_s, u"22.000,00"_s,
           u"-7.000,00"_s, u"-57.000,00"_s},
          {u"3"_s, u"1.006.000,00"_s, u"996.000,00"_s, u"10.000,00"_s, u"10.000,00"_s, u"0,00"_s,
           u"0,00"_s}},
         {u"El plan ajusta a cero el ahorro neto en el año 3 (art. 53.1 TRLHL)."_s,
          u"Con la nueva operación, el ahorro neto del año 3 es de 0,00 €."_s}},
        {"measures a cent short",
         [](Case& c) {
             c.plan = plan(3, 0, {{10000, 5000}, {10000, 5000}, {6000, 3999.99L}});
         },
         {{u"1"_s, u"1.010.000,00"_s, u"995.000,00"_s, u"15.000,00"_s, u"34.000,00"_s,
           u"-19.000,00"_s, u"-69.000,00"_s},
          {u"2"_s, u"1.010.000,00"_s, u"995.000,00"_s, u"15.000,00"_s, u"22.000,00"_s,
           u"-7.000,00"_s, u"-57.000,00"_s},
          {u"3"_s, u"1.006.000,00"_s, u"996.000,01"_s, u"9.999,99"_s, u"10.000,00"_s, u"-0,01"_s,
           u"-0,01"_s}},
         {u"El plan no ajusta a cero el ahorro neto en 3 años: faltan 0,01 € de medidas en el "
          u"año 3."_s,
          u"Con la nueva operación, el ahorro neto del año 3 es de -0,01 €."_s}},
        // Balanced in year 1, short in year 2: zero is reached for good only in year 3.
        {"a year that falls back",
         [](Case& c) {
             c.plan = plan(3, 0, {{40000, 0}, {0, 0}, {6000, 4000}});
         },
         {{u"1"_s, u"1.040.000,00"_s, u"1.000.000,00"_s, u"40.000,00"_s, u"34.000,00"_s,
           u"6.000,00"_s, u"-44.000,00"_s},
          {u"2"_s, u"1.000.000,00"_s, u"1.000.000,00"_s, u"0,00"_s, u"22.000,00"_s, u"-22.000,00"_s,
           u"-72.000,00"_s},
          {u"3"_s, u"1.006.000,00"_s, u"996.000,00"_s, u"10.000,00"_s, u"10.000,00"_s, u"0,00"_s,
           u"0,00"_s}},
         {u"El plan ajusta a cero el ahorro neto en el año 3 (art. 53.1 TRLHL)."_s,
          u"Con la nueva operación, el ahorro neto del año 3 es de 0,00 €."_s}},
        // Without a register the loans in force pay their typed annuity every year.
        {"no register, one year",
         [](Case& c) {
             c.loans.clear();
             c.figures.existingCapital = 96000;
             c.figures.existingAnnuity = 34000;
             c.plan = plan(1, 0, {{30000, 0}});
         },
         {{u"1"_s, u"1.030.000,00"_s, u"1.000.000,00"_s, u"30.000,00"_s, u"34.000,00"_s,
           u"-4.000,00"_s, u"-54.000,00"_s}},
         {u"El plan no ajusta a cero el ahorro neto en 1 año: faltan 4.000,00 € de medidas en "
          u"el año 1."_s,
          u"Con la nueva operación, el ahorro neto del año 1 es de -54.000,00 €."_s}},
        // A dependent entity gives 200.000 (30.000 of them the entity's transfers) against
        // 150.000 of spending, and pays 20.000 a year for three years: the group's revenue is
        // 1.170.000 and its spending 1.120.000.
        {"a group",
         [](Case& c) {
             c.entities = {{.name = u"Aguas"_s,
                            .revenue = 200000,
                            .expenditure = 150000,
                            .transfers = 30000}};
             c.loans.push_back({.lender = u"Caja"_s,
                                .capital = 60000,
                                .rate = 0,
                                .years = 3,
                                .holder = u"Aguas"_s});
             c.plan = plan(2, 0, {});
         },
         {{u"1"_s, u"1.170.000,00"_s, u"1.120.000,00"_s, u"50.000,00"_s, u"54.000,00"_s,
           u"-4.000,00"_s, u"-54.000,00"_s},
          {u"2"_s, u"1.170.000,00"_s, u"1.120.000,00"_s, u"50.000,00"_s, u"42.000,00"_s,
           u"8.000,00"_s, u"-42.000,00"_s}},
         {u"El plan ajusta a cero el ahorro neto en el año 2 (art. 53.1 TRLHL)."_s,
          u"Con la nueva operación, el ahorro neto del año 2 es de -42.000,00 €."_s}},
    };
    for (const Row& row : rows) {
        Case c = recoveryCase();
        row.change(c);
        const PlanOutcome outcome = assess(c).plan;
        EXPECT_EQ(reports::planRows(outcome, testsupport::Spanish), row.table) << row.name;
        EXPECT_EQ(reports::planSentences(outcome, testsupport::Spanish), row.sentences) << row.name;
        EXPECT_FALSE(outcome.notNeeded) << row.name;
        EXPECT_TRUE(outcome.reported) << row.name;
    }
}

// Net savings of zero or more need no plan: the reports state one only when the case holds it.
TEST(RecoveryPlan, notNeededUnlessTheCaseHoldsOne)
{
    Case c = recoveryCase();
    c.figures.expenditureI = 916000;
    PlanOutcome outcome = assess(c).plan;
    EXPECT_TRUE(outcome.notNeeded);
    EXPECT_FALSE(outcome.reported);
    EXPECT_EQ(outcome.years.size(), 3u);

    c.plan.years = 2;
    outcome = assess(c).plan;
    EXPECT_TRUE(outcome.notNeeded);
    EXPECT_TRUE(outcome.reported);
    EXPECT_EQ(outcome.balancedFrom, 1);

    c.figures.expenditureI = 916000.01L;
    EXPECT_FALSE(assess(c).plan.notNeeded);
}

} // namespace
