// What a case holds: the figures typed on the main window, the loan calculator's inputs and the
// register of loans in force, with the entity data and the debt limit.
#pragma once

#include "Field.h"
#include "Refusal.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace borrowing {

using amount::Amount;

// A whole, in percent.
inline constexpr Amount Percent = 100;

// The figures typed on the main window's pages, as their fields hold them.
struct Figures
{
    // Recognised net revenue, budget chapters I to V.
    Amount revenueI = 0;
    Amount revenueII = 0;
    Amount revenueIII = 0;
    Amount revenueIV = 0;
    Amount revenueV = 0;
    // Recognised net obligations, chapters I, II and IV.
    Amount expenditureI = 0;
    Amount expenditureII = 0;
    Amount expenditureIV = 0;
    // Outstanding capital of the loans in force, and of the treasury operations.
    Amount existingCapital = 0;
    Amount treasuryOperations = 0;
    // Yearly annuity (capital and interest) of the loans in force and of the planned loan.
    Amount existingAnnuity = 0;
    Amount plannedAnnuity = 0;
    // Capital of the planned loan.
    Amount plannedCapital = 0;
    // The adjustments of the current-law figures: earmarked and extraordinary revenue left out
    // of current revenue, obligations financed with the cash surplus left out of expenditure,
    // and guarantees and undrawn balances added to live debt.
    Amount earmarkedRevenue = 0;
    Amount surplusFinancedExpenditure = 0;
    Amount guarantees = 0;
    Amount undrawnBalances = 0;
    // The rest of the settlement that budget stability is worked out from: the capital chapters'
    // rights (VI, VII) and obligations (III, VI, VII); what was collected in the year of the
    // rights of chapters I to III, the year's and closed years' (0 when not given); the other
    // adjustments of national accounting, net; and the cash surplus for general spending.
    Amount revenueVI = 0;
    Amount revenueVII = 0;
    Amount expenditureIII = 0;
    Amount expenditureVI = 0;
    Amount expenditureVII = 0;
    Amount collections = 0;
    Amount otherAdjustments = 0;
    Amount cashSurplus = 0;

    friend bool operator==(const Figures&, const Figures&) = default;
};

// Whether the last settlement met the expenditure rule, as the Intervención states it.
enum class SpendingRule : std::uint8_t
{
    NoData,
    Met,
    Broken
};

// What budget stability is stated with beyond the settlement's figures: the expenditure rule,
// and a financing capacity or need an older case gave as one typed figure (0 when none), which
// stands until the figures it is worked out from are given.
struct Stability
{
    SpendingRule rule = SpendingRule::NoData;
    Amount givenCapacity = 0;

    friend bool operator==(const Stability&, const Stability&) = default;
};

// How a loan counts: one of the entity's own at long term, a third party's loan the entity
// guarantees, or a short-term (treasury) operation.
enum class LoanKind : std::uint8_t
{
    Own,
    Guaranteed,
    ShortTerm
};
inline constexpr int LoanKindCount = 3;

// A loan in force: its lender, outstanding capital, yearly rate in percent and remaining years;
// its kind, the share of it the entity guarantees in percent (which counts for a guaranteed
// loan), and the part of its capital secured by a mortgage on real estate.
struct Loan
{
    QString lender;
    Amount capital = 0;
    Amount rate = 0;
    Amount years = 0;
    LoanKind kind = LoanKind::Own;
    Amount guaranteedShare = 100;
    Amount mortgaged = 0;
    // Whose loan it is: empty for the entity itself, else a dependent entity's name.
    QString holder = {};

    friend bool operator==(const Loan&, const Loan&) = default;
};

// How a dependent entity accounts: with a limiting budget (administrative autonomous bodies,
// consortia), or as a business (commercial autonomous bodies, public business entities,
// companies).
enum class EntityKind : std::uint8_t
{
    Administrative,
    Market
};

// A dependent entity of the group, in the public-administration sector: its current revenue,
// and, by its kind, its current expenditure or its result of ordinary activities (interest on
// loans excluded, may be negative); and the part of its revenue that comes from the group.
struct DependentEntity
{
    QString name;
    EntityKind kind = EntityKind::Administrative;
    Amount revenue = 0;
    Amount expenditure = 0;
    Amount result = 0;
    Amount transfers = 0;

    friend bool operator==(const DependentEntity&, const DependentEntity&) = default;
};

// The loan calculator's inputs, and whether it was last left with "Aceptar".
struct PlannedLoan
{
    Amount capital = 0;
    Amount rate = 0;
    Amount years = 0;
    bool accepted = false;
    // The highest rate the prudence rule allows for the loan's average life; 0 when not given.
    Amount maximumRate = 0;

    friend bool operator==(const PlannedLoan&, const PlannedLoan&) = default;
};
// What the operation is for: investments, or replacing operations in force (refinancing).
enum class Purpose : std::uint8_t
{
    Investment,
    Refinancing
};

// The year's budget: approved, or the last one extended while there is none.
enum class BudgetState : std::uint8_t
{
    Approved,
    Extended
};

// What the Intervención's report states beyond the figures: the operation's subject and
// purpose, the budget, the ordinary resources and the long-term operations already arranged
// this year (which decide who approves it), the average payment period as typed, and who signs
// where.
struct Dossier
{
    QString subject;
    Purpose purpose = Purpose::Investment;
    BudgetState budget = BudgetState::Approved;
    // The operation is foreseen in the budget.
    bool foreseen = false;
    Amount ordinaryResources = 0;
    Amount arrangedThisYear = 0;
    // Average payment period in days.
    Amount paymentPeriod = 0;
    QString controller;
    QString place;

    friend bool operator==(const Dossier&, const Dossier&) = default;
};

// What the projection of the years ahead is given: how much current revenue grows a year, in
// percent.
struct Evolution
{
    Amount growth = 0;

    friend bool operator==(const Evolution&, const Evolution&) = default;
};

// A year's measures of a recovery plan: the extra current revenue they bring that year and the
// current spending they cut, each that year's alone.
struct PlanMeasures
{
    Amount revenue = 0;
    Amount spending = 0;

    friend bool operator==(const PlanMeasures&, const PlanMeasures&) = default;
};

// A financial recovery plan: its years (1 to 3), how current spending grows a year in percent
// (current revenue grows as the evolution says), and each year's measures.
struct RecoveryPlan
{
    Amount years = 3;
    Amount spendingGrowth = 0;
    std::vector<PlanMeasures> measures = {};

    friend bool operator==(const RecoveryPlan&, const RecoveryPlan&) = default;
};

// Everything a case holds: what the user typed, never what the program computes.
struct Case
{
    QString entityName;
    QString entityProvince;
    // The debt limit as typed; empty when no limit is set.
    QString limitText;
    Figures figures;
    PlannedLoan plannedLoan;
    // The register of loans in force, of the entity and of its dependent entities.
    std::vector<Loan> loans;
    // The dependent entities whose figures are consolidated with the entity's.
    std::vector<DependentEntity> entities;
    Evolution evolution = {};
    // What the Intervención's report states beyond the figures.
    Dossier dossier = {};
    Stability stability = {};
    RecoveryPlan plan = {};

    friend bool operator==(const Case&, const Case&) = default;
};

// The figures as their fields hold them: each rounded as it is shown. A figure that is no
// number stays as it is, for a check to name it.
Figures shownFigures(Figures figures);

// The dossier's amounts as their fields show them.
Dossier shownDossier(Dossier dossier);

// The plan as a case keeps it: no years of no measures at the end, so that a plan equals itself
// read back from a file, which has an entry for each of its years.
RecoveryPlan keptPlan(RecoveryPlan plan);
// The plan as its fields show it, and as a case keeps it.
RecoveryPlan shownPlan(RecoveryPlan plan);

// The case as the window holds it: every figure of a field rounded as that field shows it, the
// register's totals standing in the existing debt's capital and annuity while it holds loans,
// and the limit "0", which is no limit, written as none.
Case shownCase(Case c);
// The same with the figures as they are, the register's totals already in them.
Case roundedAsShown(Case c);

} // namespace borrowing
