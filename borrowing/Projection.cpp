// The debt year by year: each loan's payments and pending capital over the next years, the
// ratio to a growing current revenue, and the planned loan's average life.
#include "Projection.h"

#include "LoanRegister.h"
#include "NumberFormat.h"
#include "Verdict.h"

#include <algorithm>
#include <cmath>

namespace borrowing {

namespace {

// A share of a revenue that shows as at least a cent; of less, there is none to speak of.
std::optional<Amount> shareOf(Amount part, Amount revenue)
{
    if (!(amount::roundToCents(revenue) > 0))
        return std::nullopt;
    return part / revenue * Percent;
}

} // namespace

LoanProjection::LoanProjection(const Loan& loan)
    : m_months(termMonths(loan.years)), m_formula(loan.rate, loan.years)
{
    // A guaranteed loan counts in debt for the share guaranteed, unrounded year by year.
    m_debtCapital = loan.kind == LoanKind::Guaranteed
                        ? loan.capital * loan.guaranteedShare / Percent
                        : loan.capital;
    const Amount paymentCapital = annuityCapital(loan);
    if (m_months > 0 && loan.capital > 0) {
        m_payment = m_formula.monthly().payment(paymentCapital);
        m_annuity = m_formula(paymentCapital);
        m_debtPayment = m_formula.monthly().payment(m_debtCapital);
        m_monthlyRate = loan.rate / (Percent * MonthsPerYear);
        m_yearGrowth = std::pow(1 + m_monthlyRate, static_cast<Amount>(MonthsPerYear));
    }
}

Amount LoanProjection::payment(int year) const
{
    const int months = std::clamp(m_months - MonthsPerYear * (year - 1), 0, MonthsPerYear);
    if (months == MonthsPerYear)
        return m_annuity;
    return amount::roundToCents(m_payment * months);
}

Amount LoanProjection::pending(int year) const
{
    const int paid = MonthsPerYear * year;
    if (m_months <= 0 || paid >= m_months || !(m_debtCapital > 0))
        return 0;
    if (!m_formula.monthly().hasInterest())
        return m_debtCapital * (1 - static_cast<Amount>(paid) / m_months);
    // What a euro grows to over the years paid: a year's growth, multiplied year by year.
    Amount growth = 1;
    for (int y = 0; y < year; ++y)
        growth *= m_yearGrowth;
    return m_debtCapital * growth - m_debtPayment * (growth - 1) / m_monthlyRate;
}

ProjectionFigures projectionFigures(const Figures& f, const Indicators& r,
                                    const std::vector<Loan>& loans, const PlannedLoan& loan,
                                    Amount revenueGrowth, const Group& group)
{
    // Guaranteed loans are projected; a typed risk of guarantees stays only while the register
    // holds none.
    const Amount guarantees = registerFills(&Figures::guarantees, loans) ? 0 : f.guarantees;
    return {.loans = loans,
            .plannedLoan = {QString(), loan.capital, loan.rate, loan.years},
            .constantDebt =
                f.treasuryOperations + guarantees + f.undrawnBalances + group.shortTermDebt,
            .revenue = r.computableRevenue,
            .debt = r.computableDebt,
            .revenueGrowth = revenueGrowth};
}

Projection projectDebt(const ProjectionFigures& f, int years)
{
    Projection projection;
    projection.now = {
        .year = 0, .capital = f.debt, .revenue = f.revenue, .ratio = shareOf(f.debt, f.revenue)};
    projection.withoutRegister = f.loans.empty();
    const int threshold = CurrentRules.authorisationAbove;
    projection.withinFreeLimitNow =
        projection.now.ratio.has_value() && !isAbove(f.debt, f.revenue, threshold);
    // Short-term operations stay as they are, among the treasury operations.
    std::vector<LoanProjection> loans;
    for (const Loan& loan : f.loans) {
        if (loan.kind != LoanKind::ShortTerm)
            loans.emplace_back(loan);
    }
    const LoanProjection planned(f.plannedLoan);
    for (int year = 1; year <= years; ++year) {
        ProjectionYear y{.year = year};
        Amount capital = 0;
        for (const LoanProjection& loan : loans) {
            y.existingAnnuity += loan.payment(year);
            capital += loan.pending(year);
        }
        y.plannedAnnuity = planned.payment(year);
        y.capital = capital + planned.pending(year) + f.constantDebt;
        y.revenue = f.revenue * std::pow(1 + f.revenueGrowth / Percent, static_cast<Amount>(year));
        y.ratio = shareOf(y.capital, y.revenue);
        y.burden = shareOf(y.existingAnnuity + y.plannedAnnuity, y.revenue);
        const bool above = isAbove(y.capital, y.revenue, threshold);
        if (!projection.yearWithinFreeLimit && y.ratio && !above)
            projection.yearWithinFreeLimit = year;
        if (!projection.yearAboveFreeLimit && y.ratio && above)
            projection.yearAboveFreeLimit = year;
        projection.years.push_back(y);
    }
    return projection;
}

} // namespace borrowing
