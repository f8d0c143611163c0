// The register of loans in force: each loan's theoretical annuity and the register's totals.
#include "LoanRegister.h"

#include "NumberFormat.h"

#include <algorithm>

namespace borrowing {

using amount::roundToCents;

AnnuityFormula::AnnuityFormula(Amount rate, Amount years)
    : m_years(years), m_payments(std::min(termMonths(years), MonthsPerYear)),
      m_payment(rate, termMonths(years))
{
}

Amount AnnuityFormula::operator()(Amount capital) const
{
    if (capital == 0 || m_years <= 0)
        return 0;
    if (!m_payment.hasInterest())
        return roundToCents(m_payments < MonthsPerYear ? capital : capital / m_years);
    if (!(capital > 0))
        return 0;
    const Amount cents = m_payment.paymentInCents(capital);
    // Whole cents times the payments are whole cents, which the decimal rounding would only
    // read back: dividing once gives the same value, without going through text.
    constexpr Amount ExactCents = 1e15L;
    if (cents < ExactCents)
        return m_payments * cents / 100;
    return roundToCents(m_payments * m_payment.payment(capital));
}

Amount AnnuityFormula::perEuro() const
{
    if (!m_payment.hasInterest())
        return m_payments < MonthsPerYear ? 1 : 1 / m_years;
    return m_payments * m_payment.perEuro();
}

Amount theoreticalAnnuity(const Loan& loan)
{
    return AnnuityFormula(loan.rate, loan.years)(loan.capital);
}

RegisterTotals registerTotals(const std::vector<Loan>& loans)
{
    RegisterTotals totals;
    for (const Loan& loan : loans) {
        totals.capital += loan.capital;
        totals.annuity += theoreticalAnnuity(loan);
    }
    totals.capital = roundToCents(totals.capital);
    totals.annuity = roundToCents(totals.annuity);
    return totals;
}

Figures withRegisterTotals(Figures figures, const std::vector<Loan>& loans)
{
    if (!loans.empty()) {
        const RegisterTotals totals = registerTotals(loans);
        figures.existingCapital = totals.capital;
        figures.existingAnnuity = totals.annuity;
    }
    return figures;
}

} // namespace borrowing
