// The verdict on a new long-term loan under the borrowing rules in force today.
#include "Verdict.h"

namespace borrowing {

namespace {

constexpr Amount Percent = 100;

// debt > percent % of revenue, without a division's rounding.
bool isAbove(Amount debt, Amount revenue, int percent)
{
    if (revenue <= 0)
        return debt > 0;
    return debt * Percent > revenue * static_cast<Amount>(percent);
}

} // namespace

Verdict currentVerdict(Amount revenue, Amount debt, Amount netSavings,
                       amount::Separators separators)
{
    const BorrowingRules& rules = CurrentRules;
    Verdict verdict{Outcome::NoAuthorisation, QStringLiteral("—"),
                    QStringLiteral("No precisa autorización")};
    if (revenue > 0) {
        verdict.ratioText = amount::formatValue(debt / revenue * Percent, 2,
                                                amount::NumberFormat::Thousands, separators) +
                            QStringLiteral(" %");
    }
    if (isAbove(debt, revenue, rules.forbiddenAbove)) {
        verdict.outcome = Outcome::Forbidden;
        verdict.resultText = QStringLiteral("No puede concertarse: endeudamiento superior al %1 %")
                                 .arg(rules.forbiddenAbove);
        return verdict;
    }
    const bool negativeSavings = netSavings < 0;
    const bool aboveAuthorisation = isAbove(debt, revenue, rules.authorisationAbove);
    if (!negativeSavings && !aboveAuthorisation)
        return verdict;
    verdict.outcome = Outcome::Authorisation;
    const QString debtReason =
        QStringLiteral("endeudamiento superior al %1 %").arg(rules.authorisationAbove);
    verdict.resultText = QStringLiteral("Precisa autorización: ") +
                         (negativeSavings && aboveAuthorisation
                              ? QStringLiteral("ahorro neto negativo y ") + debtReason
                          : negativeSavings ? QStringLiteral("ahorro neto negativo")
                                            : debtReason);
    return verdict;
}

} // namespace borrowing
