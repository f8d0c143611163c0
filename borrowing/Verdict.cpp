// The verdict on a new long-term loan under the borrowing rules in force today.
#include "Verdict.h"

#include "Case.h"

namespace borrowing {

bool isAbove(Amount debt, Amount revenue, int percent)
{
    if (revenue <= 0)
        return debt > 0;
    return debt * Percent > revenue * static_cast<Amount>(percent);
}

Verdict currentVerdict(Amount revenue, Amount debt, Amount netSavings)
{
    const BorrowingRules& rules = CurrentRules;
    Verdict verdict;
    if (revenue > 0)
        verdict.ratio = debt / revenue * Percent;
    verdict.negativeNetSavings = netSavings < 0;
    verdict.debtAboveLimit = isAbove(debt, revenue, rules.forbiddenAbove);
    if (verdict.negativeNetSavings || verdict.debtAboveLimit)
        verdict.outcome = Outcome::Forbidden;
    else if (isAbove(debt, revenue, rules.authorisationAbove))
        verdict.outcome = Outcome::Authorisation;
    return verdict;
}

} // namespace borrowing
