// The verdict on a new long-term loan under the borrowing rules in force today.
#include "Verdict.h"

namespace borrowing {

namespace {

constexpr Amount Percent = 100;

} // namespace

bool isAbove(Amount debt, Amount revenue, int percent)
{
    if (revenue <= 0)
        return debt > 0;
    return debt * Percent > revenue * static_cast<Amount>(percent);
}

Verdict currentVerdict(Amount revenue, Amount debt, Amount netSavings,
                       amount::Separators separators)
{
    const BorrowingRules& rules = CurrentRules;
    Verdict verdict;
    verdict.ratioText = QStringLiteral("—");
    if (revenue > 0) {
        verdict.ratio = debt / revenue * Percent;
        verdict.ratioText =
            amount::formatValue(*verdict.ratio, 2, amount::NumberFormat::Thousands, separators) +
            QStringLiteral(" %");
    }
    verdict.negativeNetSavings = netSavings < 0;
    const bool aboveLimit = isAbove(debt, revenue, rules.forbiddenAbove);
    const QString limitReason =
        QStringLiteral("endeudamiento superior al %1 %").arg(rules.forbiddenAbove);
    if (verdict.negativeNetSavings || aboveLimit) {
        verdict.outcome = Outcome::Forbidden;
        verdict.resultText = QStringLiteral("No puede concertarse: ") +
                             (verdict.negativeNetSavings && aboveLimit
                                  ? QStringLiteral("ahorro neto negativo y ") + limitReason
                              : verdict.negativeNetSavings ? QStringLiteral("ahorro neto negativo")
                                                           : limitReason);
    } else if (isAbove(debt, revenue, rules.authorisationAbove)) {
        verdict.outcome = Outcome::Authorisation;
        verdict.resultText = QStringLiteral("Precisa autorización: endeudamiento superior al %1 %")
                                 .arg(rules.authorisationAbove);
    } else {
        verdict.resultText = QStringLiteral("No precisa autorización");
    }
    return verdict;
}

QString ruleExplanation()
{
    return QStringLiteral(
               "Disposición adicional 14ª del Real Decreto-ley 20/2011, en la redacción de la "
               "disposición final 31ª de la Ley 17/2012: con ahorro neto negativo o un "
               "endeudamiento superior al %1 % de los ingresos corrientes no puede concertarse "
               "la operación; por encima del %2 % precisa autorización. Cifras del último "
               "ejercicio liquidado, incluida la nueva operación.")
        .arg(CurrentRules.forbiddenAbove)
        .arg(CurrentRules.authorisationAbove);
}

} // namespace borrowing
