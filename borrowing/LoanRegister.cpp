// The register of loans in force: each loan's theoretical annuity and the register's totals.
#include "LoanRegister.h"

#include "DigitText.h"
#include "LoanMath.h"

namespace borrowing {

namespace {

constexpr int CentDecimals = 2;

} // namespace

Amount theoreticalAnnuity(const Loan& loan)
{
    if (loan.capital == 0 || loan.years <= 0)
        return 0;
    const Amount annuity = loan.rate == 0 ? loan.capital / loan.years
                                          : MonthsPerYear * monthlyPayment(loan.capital, loan.rate,
                                                                           termMonths(loan.years));
    return decimal::roundToDecimals(annuity, CentDecimals);
}

RegisterTotals registerTotals(const std::vector<Loan>& loans)
{
    RegisterTotals totals;
    for (const Loan& loan : loans) {
        totals.capital += loan.capital;
        totals.annuity += theoreticalAnnuity(loan);
    }
    totals.capital = decimal::roundToDecimals(totals.capital, CentDecimals);
    totals.annuity = decimal::roundToDecimals(totals.annuity, CentDecimals);
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
