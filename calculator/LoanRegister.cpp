// The register of existing loans: each loan's theoretical annuity and the register's totals.
#include "LoanRegister.h"

#include "DigitText.h"
#include "LoanMath.h"

namespace calculator {

namespace {

constexpr int CentDecimals = 2;

} // namespace

Amount theoreticalAnnuity(const ExistingLoan& loan)
{
    if (loan.capital == 0 || loan.years <= 0)
        return 0;
    const Amount annuity =
        loan.rate == 0
            ? loan.capital / loan.years
            : MonthsPerYear * monthlyPayment(loan.capital, loan.rate, loan.years * MonthsPerYear);
    return decimal::roundToDecimals(annuity, CentDecimals);
}

RegisterTotals registerTotals(const std::vector<ExistingLoan>& loans)
{
    RegisterTotals totals;
    for (const ExistingLoan& loan : loans) {
        totals.capital += loan.capital;
        totals.annuity += theoreticalAnnuity(loan);
    }
    totals.capital = decimal::roundToDecimals(totals.capital, CentDecimals);
    totals.annuity = decimal::roundToDecimals(totals.annuity, CentDecimals);
    return totals;
}

} // namespace calculator
