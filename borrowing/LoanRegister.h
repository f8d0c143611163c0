// The register of loans in force: each loan's theoretical annuity and the register's totals.
#pragma once

#include "Case.h"
#include "LoanMath.h"

#include <vector>

namespace borrowing {

// A year of a level-payment loan over the remaining term: 12 monthly payments, or the payments
// it still makes when fewer months are left, in cents rounded halves away from zero. Without
// interest it is capital / years, or the whole capital within a year; no years or no capital
// give 0. Worked out once for a rate and term, for any capital.
class AnnuityFormula
{
public:
    AnnuityFormula(Amount rate, Amount years);
    Amount operator()(Amount capital) const;
    // What one euro lent pays a year, before any rounding.
    Amount perEuro() const;
    // The level monthly payment the annuity is made of.
    const PaymentFormula& monthly() const { return m_payment; }

private:
    Amount m_years;
    // The payments the year holds: 12, or fewer at the end of the loan.
    int m_payments;
    PaymentFormula m_payment;
};

// AnnuityFormula(loan.rate, loan.years)(loan.capital).
Amount theoreticalAnnuity(const Loan& loan);

struct RegisterTotals
{
    Amount capital = 0;
    Amount annuity = 0;
};

// The sums of the figures as shown: each annuity rounded to cents before it is added.
RegisterTotals registerTotals(const std::vector<Loan>& loans);

// The figures with the register's totals standing in the existing debt's capital and annuity,
// while the register holds loans.
Figures withRegisterTotals(Figures figures, const std::vector<Loan>& loans);

} // namespace borrowing
