// The verdict on a new long-term loan under the borrowing rules in force today.
#pragma once

#include "Amount.h"

#include <cstdint>
#include <optional>

namespace borrowing {

using amount::Amount;

// The rules in force: live debt as a percentage of current revenue above which the loan needs
// the supervising body's authorisation, and above which it cannot be arranged at all; negative
// net savings bar it too.
struct BorrowingRules
{
    int authorisationAbove;
    int forbiddenAbove;
    // The provision that sets them, as the window's group cites it.
    const char* citation;
};
inline constexpr BorrowingRules CurrentRules{75, 110, "D.A. 14ª RDL 20/2011"};

// What the colour of the verdict says.
enum class Outcome : std::uint8_t
{
    NoAuthorisation,
    Authorisation,
    Forbidden
};

struct Verdict
{
    Outcome outcome = Outcome::NoAuthorisation;
    // The reasons that bar the loan: negative net savings, and debt above the highest
    // threshold. Debt between the thresholds is what Outcome::Authorisation says.
    bool negativeNetSavings = false;
    bool debtAboveLimit = false;
    // The ratio in percent; nothing when there is no revenue to divide by.
    std::optional<Amount> ratio;

    friend bool operator==(const Verdict&, const Verdict&) = default;
};

// debt > percent % of revenue, compared without dividing, so that a debt of exactly 110 % of
// revenue is not above 110 %. With no revenue (0 or less) a positive debt is above every
// percentage and any other is not.
bool isAbove(Amount debt, Amount revenue, int percent);

// The verdict for the computable current revenue, the live debt with the new loan, and the
// net savings: negative net savings (0 counts as positive) or debt above 110 % bar the loan;
// debt above 75 % needs authorisation; otherwise it is only communicated.
Verdict currentVerdict(Amount revenue, Amount debt, Amount netSavings);

} // namespace borrowing
