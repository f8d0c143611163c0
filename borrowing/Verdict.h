// The verdict on a new long-term loan under the borrowing rules in force today.
#pragma once

#include "Amount.h"
#include "NumberFormat.h"

#include <QString>

namespace borrowing {

using amount::Amount;

// The rules in force: live debt as a percentage of current revenue above which the loan needs
// the supervising body's authorisation, and above which it cannot be arranged at all.
struct BorrowingRules
{
    int authorisationAbove;
    int forbiddenAbove;
    // The provision that sets them, as the window's group cites it.
    const char* citation;
};
inline constexpr BorrowingRules CurrentRules{75, 110, "D.A. 14ª RDL 20/2011"};

enum class Outcome
{
    NoAuthorisation,
    Authorisation,
    Forbidden
};

struct Verdict
{
    Outcome outcome = Outcome::NoAuthorisation;
    // The ratio with two decimals and " %", or "—" when there is no revenue to divide by.
    QString ratioText;
    QString resultText;
};

// The verdict for the current revenue, the live debt with the new loan and the treasury
// operations, and the net savings. The thresholds compare without dividing, so that a debt of
// exactly 110 % of revenue is not above 110 %. With no revenue (0 or less) a positive debt
// counts as above every threshold and any other as 0 %.
Verdict currentVerdict(Amount revenue, Amount debt, Amount netSavings,
                       amount::Separators separators);

} // namespace borrowing
