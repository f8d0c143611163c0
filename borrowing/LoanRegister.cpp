// The register of loans in force: each loan's theoretical annuity and the register's totals.
#include "LoanRegister.h"

#include "NumberFormat.h"

#include <algorithm>
#include <iterator>
#include <optional>

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

namespace {

// The share of a loan that counts, as a fraction.
Amount countedShare(const Loan& loan)
{
    return loan.kind == LoanKind::Guaranteed ? loan.guaranteedShare / Percent : 1;
}

} // namespace

Amount annuityCapital(const Loan& loan)
{
    if (loan.kind == LoanKind::ShortTerm)
        return 0;
    return (loan.capital - loan.mortgaged) * countedShare(loan);
}

Amount debtOf(const Loan& loan)
{
    return loan.kind == LoanKind::Guaranteed ? roundToCents(loan.capital * countedShare(loan))
                                             : loan.capital;
}

Amount theoreticalAnnuity(const Loan& loan)
{
    return AnnuityFormula(loan.rate, loan.years)(annuityCapital(loan));
}

namespace {

void add(RegisterTotals& totals, const Loan& loan, const CountedLoan& counted)
{
    KindTotals& kind = totals.kinds[static_cast<std::size_t>(loan.kind)];
    ++kind.count;
    kind.capital += loan.capital;
    kind.debt += counted.debt;
    kind.annuity += counted.annuity;
    totals.capital += loan.capital;
    totals.annuity += counted.annuity;
}

// The sums to the cent, once all is added.
void round(RegisterTotals& totals)
{
    for (KindTotals& kind : totals.kinds) {
        kind.capital = roundToCents(kind.capital);
        kind.debt = roundToCents(kind.debt);
        kind.annuity = roundToCents(kind.annuity);
    }
    totals.capital = roundToCents(totals.capital);
    totals.annuity = roundToCents(totals.annuity);
}

} // namespace

Amount RegisterTotals::debt() const
{
    Amount debt = 0;
    for (const KindTotals& kind : kinds)
        debt += kind.debt;
    return roundToCents(debt);
}

CountedLoan countOf(const Loan& loan)
{
    return {theoreticalAnnuity(loan), debtOf(loan)};
}

RegisterTotals registerTotals(const std::vector<Loan>& loans)
{
    RegisterTotals totals;
    for (const Loan& loan : loans)
        add(totals, loan, countOf(loan));
    round(totals);
    return totals;
}

const RegisterTotals& RegisterSummary::of(const QString& holder) const
{
    static const RegisterTotals none;
    const auto found = holders.constFind(holder);
    return found == holders.constEnd() ? none : *found;
}

void RegisterSummary::addUp(const std::vector<Loan>& loans)
{
    all = {};
    holders.clear();
    for (std::size_t i = 0; i < loans.size(); ++i) {
        add(all, loans[i], counted[i]);
        add(holders[loans[i].holder], loans[i], counted[i]);
    }
    round(all);
    for (RegisterTotals& totals : holders)
        round(totals);
}

RegisterSummary summarise(const std::vector<Loan>& loans)
{
    RegisterSummary summary;
    summary.counted.reserve(loans.size());
    for (const Loan& loan : loans)
        summary.counted.push_back(countOf(loan));
    summary.addUp(loans);
    return summary;
}

std::vector<Loan> loansOf(const std::vector<Loan>& loans, const QString& holder)
{
    std::vector<Loan> held;
    std::copy_if(loans.begin(), loans.end(), std::back_inserter(held),
                 [&holder](const Loan& loan) { return loan.holder == holder; });
    return held;
}

Figures withRegisterTotals(Figures figures, const std::vector<Loan>& loans)
{
    return withRegisterTotals(figures, registerTotals(loansOf(loans, {})));
}

Figures withRegisterTotals(Figures figures, const RegisterTotals& totals)
{
    const KindTotals& own = totals.of(LoanKind::Own);
    const KindTotals& guaranteed = totals.of(LoanKind::Guaranteed);
    const KindTotals& shortTerm = totals.of(LoanKind::ShortTerm);
    if (own.count + guaranteed.count + shortTerm.count == 0)
        return figures;
    figures.existingCapital = own.capital;
    figures.existingAnnuity = roundToCents(own.annuity + guaranteed.annuity);
    if (shortTerm.count > 0)
        figures.treasuryOperations = shortTerm.capital;
    if (guaranteed.count > 0)
        figures.guarantees = guaranteed.debt;
    return figures;
}

bool registerFills(Amount Figures::*figure, const std::vector<Loan>& loans)
{
    const auto holds = [&](std::optional<LoanKind> kind) {
        return std::any_of(loans.begin(), loans.end(), [kind](const Loan& loan) {
            return loan.holder.isEmpty() && (!kind || loan.kind == *kind);
        });
    };
    if (figure == &Figures::existingCapital || figure == &Figures::existingAnnuity)
        return holds(std::nullopt);
    if (figure == &Figures::treasuryOperations)
        return holds(LoanKind::ShortTerm);
    if (figure == &Figures::guarantees)
        return holds(LoanKind::Guaranteed);
    return false;
}

} // namespace borrowing
