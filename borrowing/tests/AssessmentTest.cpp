// The assessment of a case whose register holds a loan of each kind, against figures worked out
// independently, and the refusal of loans no register may hold.
#include "Assessment.h"

#include "Checks.h"
#include "NumberFormat.h"
#include "QStringPrinter.h"
#include "Refusals.h"
#include "TestSeparators.h"
#include "Wording.h"

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
        } catch (const Refused& e) {
            EXPECT_EQ(reports::refusalText(e.refusal()).toStdString(), message);
        }
    }
    EXPECT_NO_THROW(checkCase(eachKind()));
}

} // namespace

namespace {

// Who approves: the operations of the year against 10 % of the ordinary resources, without
// dividing, then whether the budget foresees the operation.
TEST(Opinion, whoApprovesAtAndAroundTheTenPercent)
{
    struct Row
    {
        Amount arranged, planned;
        bool foreseen;
        DecidingBody body;
        const char* line;
    };
    const char* absolute = "Órgano competente: Pleno, por mayoría absoluta (art. 47.2.l LBRL)";
    const char* mayor = "Órgano competente: Alcalde-Presidente (art. 21.1.f LBRL y 52.2 TRLHL)";
    const char* simple = "Órgano competente: Pleno, por mayoría simple (art. 22.2.m LBRL)";
    const Row rows[] = {
        {0, 1000000, true, DecidingBody::Mayor, mayor},
        {0, 1000000, false, DecidingBody::PlenarySimpleMajority, simple},
        {0, 1000000.01L, true, DecidingBody::PlenaryAbsoluteMajority, absolute},
        {500000, 500000, false, DecidingBody::PlenarySimpleMajority, simple},
        {500000.01L, 500000, true, DecidingBody::PlenaryAbsoluteMajority, absolute},
        {0, 0, true, DecidingBody::Mayor, mayor},
    };
    for (const Row& row : rows) {
        Dossier d;
        d.ordinaryResources = 10000000;
        d.arrangedThisYear = row.arranged;
        d.foreseen = row.foreseen;
        const DecidingBody body = competenceOf(d, row.planned).body;
        EXPECT_EQ(body, row.body) << double(row.arranged) << " " << double(row.planned);
        EXPECT_EQ(reports::decidingBodyText(body).toStdString(), row.line);
    }
}

// The two amounts as the report shows them agree with the decision: operations shown above the
// 10 % are above it, and shown equal to it are not.
TEST(Opinion, theAmountsShownAgreeWithWhoApproves)
{
    struct Row
    {
        Amount resources, planned;
        bool above;
        const char* operations;
        const char* tenPercent;
    };
    const Row rows[] = {
        // A tenth of 10.000.000,05 is 1.000.000,005: shown cut down to the cent.
        {10000000.05L, 1000000, false, "1.000.000,00", "1.000.000,00"},
        {10000000.05L, 1000000.01L, true, "1.000.000,01", "1.000.000,00"},
        {10000000.1L, 1000000.01L, false, "1.000.000,01", "1.000.000,01"},
        {9999999.99L, 1000000, true, "1.000.000,00", "999.999,99"},
        {0.09L, 0, false, "0,00", "0,00"},
    };
    for (const Row& row : rows) {
        Dossier d;
        d.ordinaryResources = row.resources;
        d.foreseen = true;
        const Competence c = competenceOf(d, row.planned);
        EXPECT_EQ(c.body == DecidingBody::PlenaryAbsoluteMajority, row.above)
            << double(row.resources) << " " << double(row.planned);
        EXPECT_EQ(reports::amountText(c.operations, testsupport::Spanish).toStdString(),
                  row.operations);
        EXPECT_EQ(reports::amountText(c.tenPercentOfResources, testsupport::Spanish).toStdString(),
                  row.tenPercent);
    }
}

// The planned loan's typed annuity against the one of its terms (100.000 at 5 % over 10 years:
// 12.727,92): said when they differ by a cent or more, never without terms.
TEST(Assessment, theTypedAnnuityIsComparedWithItsTerms)
{
    struct Row
    {
        const char* name;
        Amount typed;
        PlannedLoan loan;
        std::optional<AnnuityMismatch> mismatch;
    };
    const PlannedLoan terms{.capital = 100000, .rate = 5, .years = 10};
    const Row rows[] = {
        {"the same", 12727.92L, terms, std::nullopt},
        {"a cent less", 12727.91L, terms, AnnuityMismatch{12727.91L, 12727.92L}},
        {"typed over a half cent, as its field shows it", 12727.924L, terms, std::nullopt},
        {"none typed", 0, terms, AnnuityMismatch{0, 12727.92L}},
        {"no terms", 5000, PlannedLoan{}, std::nullopt},
        {"terms giving no payment", 5000, PlannedLoan{.capital = 1000, .rate = 5}, std::nullopt},
    };
    for (const Row& row : rows) {
        Case c;
        c.figures.plannedAnnuity = row.typed;
        c.plannedLoan = row.loan;
        EXPECT_EQ(assess(c).annuityMismatch, row.mismatch) << row.name;
    }
    EXPECT_EQ(reports::annuityMismatchText({38190.24L, 42598.92L}, testsupport::Spanish),
              u"La anualidad de la nueva operación (38.190,24 €) no coincide con la de sus "
              u"condiciones (42.598,92 €)."_s);
}

// Exactly one conclusion, and every reason that makes it unfavourable.
TEST(Opinion, theConclusionAndItsReasons)
{
    struct Row
    {
        const char* name;
        Amount treasury; // live debt beside the own loan of 2 million, for the verdict
        BudgetState budget;
        Purpose purpose;
        Amount maximumRate;
        QStringList lines;
    };
    const QString favourable = u"Conclusión: informe favorable."_s;
    const QString unfavourable = u"Conclusión: informe desfavorable."_s;
    const QString prudence =
        u"No cumple el principio de prudencia financiera: el tipo supera el máximo."_s;
    const Row rows[] = {
        {"favourable", 0, BudgetState::Approved, Purpose::Investment, 0, {favourable}},
        {"an extended budget for investments",
         0,
         BudgetState::Extended,
         Purpose::Investment,
         3,
         {favourable}},
        {"authorisation",
         4500000,
         BudgetState::Approved,
         Purpose::Investment,
         0,
         {u"Conclusión: informe favorable, condicionado a la autorización del órgano de tutela "
          u"financiera."_s}},
        {"barred, refinancing on an extended budget, imprudent",
         9000000,
         BudgetState::Extended,
         Purpose::Refinancing,
         2.99L,
         {unfavourable, u"No puede concertarse: endeudamiento superior al 110 %."_s,
          reports::extendedBudgetText(), prudence}},
        {"only imprudent",
         0,
         BudgetState::Approved,
         Purpose::Refinancing,
         2.99L,
         {unfavourable, prudence}},
        // An imprudent rate is not mended by the authorisation the debt would need.
        {"imprudent, needing authorisation",
         4500000,
         BudgetState::Approved,
         Purpose::Investment,
         2.99L,
         {unfavourable, prudence}},
    };
    for (const Row& row : rows) {
        Case c = eachKind();
        c.loans.resize(1);
        c.figures.treasuryOperations = row.treasury;
        c.dossier.budget = row.budget;
        c.dossier.purpose = row.purpose;
        c.plannedLoan.maximumRate = row.maximumRate;
        EXPECT_EQ(reports::opinionLines(assess(c)), row.lines) << row.name;
    }
}

} // namespace
