// The debt year by year: each loan's payments and pending capital over the next years, the
// ratio to a growing current revenue, and the planned loan's average life.
#pragma once

#include "Case.h"
#include "Group.h"
#include "Indicators.h"
#include "LoanMath.h"
#include "LoanRegister.h"

#include <optional>
#include <vector>

namespace borrowing {

// What the projection starts from, as the fields show it.
struct ProjectionFigures
{
    // The register of loans in force (its short-term operations stay among the constant debt),
    // and the planned loan, drawn at the start of year 1.
    std::vector<Loan> loans = {};
    Loan plannedLoan = {};
    // Debt held constant: treasury operations, guarantees and undrawn balances.
    Amount constantDebt = 0;
    // Today's computable current revenue and live debt.
    Amount revenue = 0;
    Amount debt = 0;
    // How much revenue grows a year, in percent.
    Amount revenueGrowth = 0;
};

struct ProjectionYear
{
    int year = 0;
    // The payments of the year, each loan's rounded to cents before they are added.
    Amount existingAnnuity = 0;
    Amount plannedAnnuity = 0;
    // Live capital at 31 December, unrounded, and the revenue of the year.
    Amount capital = 0;
    Amount revenue = 0;
    // capital / revenue and both annuities / revenue, in percent; nothing without a revenue of
    // a cent or more.
    std::optional<Amount> ratio = std::nullopt;
    std::optional<Amount> burden = std::nullopt;

    friend bool operator==(const ProjectionYear&, const ProjectionYear&) = default;
};

struct Projection
{
    // Today: the computable live debt and revenue, and their ratio.
    ProjectionYear now;
    std::vector<ProjectionYear> years;
    // The first year whose ratio is at or under the threshold above which a loan needs
    // authorisation; nothing when none is. Today's ratio at or under it, and then the first year
    // above it; nothing when none is.
    std::optional<int> yearWithinFreeLimit;
    bool withinFreeLimitNow = false;
    std::optional<int> yearAboveFreeLimit;
    // The register holds no loans, so only the planned loan is projected.
    bool withoutRegister = false;

    friend bool operator==(const Projection&, const Projection&) = default;
};

inline constexpr int ProjectionYears = 10;

// One loan's payment and pending capital, year by year, as a level monthly-payment loan: its
// payments as they count for net savings, its pending capital as it counts for debt.
class LoanProjection
{
public:
    explicit LoanProjection(const Loan& loan);
    // The payments of year k (from 1): the monthly payment times the loan's months in the year,
    // rounded to cents; for a whole year, its theoretical annuity.
    Amount payment(int year) const;
    // The capital pending at the end of year k, 0 once the last month is paid.
    Amount pending(int year) const;

private:
    int m_months;
    AnnuityFormula m_formula;
    // The payments as they count for net savings, a month's and a whole year's, and the capital
    // as it counts for debt with the payment that amortises it.
    Amount m_payment = 0;
    Amount m_annuity = 0;
    Amount m_debtCapital = 0;
    Amount m_debtPayment = 0;
    // The monthly rate as a fraction, and what a euro grows to in a year at it.
    Amount m_monthlyRate = 0;
    Amount m_yearGrowth = 1;
};

// The projection's figures of a case: its figures as their fields show them, its indicators
// consolidated with its group, the register of the whole group, the loan calculator's inputs,
// the revenue's growth and the group, whose short-term operations stay as they are.
ProjectionFigures projectionFigures(const Figures& figures, const Indicators& indicators,
                                    const std::vector<Loan>& loans, const PlannedLoan& loan,
                                    Amount revenueGrowth, const Group& group = {});

Projection projectDebt(const ProjectionFigures& figures, int years = ProjectionYears);

} // namespace borrowing
