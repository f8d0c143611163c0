// The register of loans in force: each loan's theoretical annuity and the register's totals.
#pragma once

#include "Case.h"
#include "LoanMath.h"

#include <QHash>

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

// The capital a loan's annuity is worked out on, as it reduces net savings: its capital less the
// part secured by a mortgage, and of a guaranteed loan the share guaranteed; a short-term
// operation has no annuity.
Amount annuityCapital(const Loan& loan);
// What a loan counts for in live debt: its capital, and of a guaranteed loan the share guaranteed
// (rounded to cents); a mortgage does not reduce debt.
Amount debtOf(const Loan& loan);

// AnnuityFormula(loan.rate, loan.years)(annuityCapital(loan)): the annuity as it counts.
Amount theoreticalAnnuity(const Loan& loan);

// The sums of the loans of one kind, or of all: how many, their outstanding capital, what they
// count for in live debt, and their annuities as they count.
struct KindTotals
{
    int count = 0;
    Amount capital = 0;
    Amount debt = 0;
    Amount annuity = 0;

    friend bool operator==(const KindTotals&, const KindTotals&) = default;
};

struct RegisterTotals
{
    // All loans: their capital and their annuities.
    Amount capital = 0;
    Amount annuity = 0;
    std::array<KindTotals, LoanKindCount> kinds{};

    const KindTotals& of(LoanKind kind) const { return kinds[static_cast<std::size_t>(kind)]; }
    // The live debt of every kind.
    Amount debt() const;

    friend bool operator==(const RegisterTotals&, const RegisterTotals&) = default;
};

// The sums of the figures as shown: each annuity rounded to cents before it is added.
RegisterTotals registerTotals(const std::vector<Loan>& loans);

// What a loan counts for: its annuity and its live debt.
struct CountedLoan
{
    Amount annuity = 0;
    Amount debt = 0;

    friend bool operator==(const CountedLoan&, const CountedLoan&) = default;
};
CountedLoan countOf(const Loan& loan);

// The register as the law counts it: what each loan counts for, in the register's order, and
// the totals of every loan and of each holder's (the entity's own under an empty name).
struct RegisterSummary
{
    std::vector<CountedLoan> counted;
    RegisterTotals all;
    QHash<QString, RegisterTotals> holders;

    // The totals of a holder's loans; nothing counted for a holder without any.
    const RegisterTotals& of(const QString& holder) const;
    // Adds the totals up again from what `counted` holds for each of the loans, once loans have
    // been removed, added or changed along with it: only the changed loans are counted again.
    void addUp(const std::vector<Loan>& loans);

    friend bool operator==(const RegisterSummary&, const RegisterSummary&) = default;
};

// Each loan counted once, its annuity and debt added into every total it is part of.
RegisterSummary summarise(const std::vector<Loan>& loans);

// The loans of one holder: the entity's own with an empty name.
std::vector<Loan> loansOf(const std::vector<Loan>& loans, const QString& holder);

// The figures with the totals of the entity's own loans standing in theirs while it holds any:
// the own loans' capital in the existing debt's (CVPEX), the own and guaranteed loans' annuities
// in the existing annuity (APVTOTAL), and, while it holds any of their kind, the short-term
// operations' capital in the treasury operations (CVOTEX) and the guaranteed risk in the
// guarantees (AJAVALES).
Figures withRegisterTotals(Figures figures, const RegisterTotals& own);
// The same from the register's loans.
Figures withRegisterTotals(Figures figures, const std::vector<Loan>& loans);

// Whether the register fills this figure, by what it holds of the entity's own.
bool registerFills(Amount Figures::*figure, const std::vector<Loan>& loans);

} // namespace borrowing
