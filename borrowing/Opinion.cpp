// The Intervención's opinion on the operation: who approves it, and whether the report is
// favourable.
#include "Opinion.h"

namespace borrowing {

DecidingBody decidingBody(const Dossier& d, Amount plannedCapital)
{
    constexpr Amount TenPercent = 10;
    if (Percent * (d.arrangedThisYear + plannedCapital) > TenPercent * d.ordinaryResources)
        return DecidingBody::PlenaryAbsoluteMajority;
    return d.foreseen ? DecidingBody::Mayor : DecidingBody::PlenarySimpleMajority;
}

Opinion opinionOf(const Verdict& verdict, const Dossier& dossier,
                  const std::optional<bool>& prudent)
{
    Opinion opinion;
    opinion.barredByVerdict = verdict.outcome == Outcome::Forbidden;
    // With an extended budget only operations for investments may be arranged.
    opinion.barredByExtendedBudget =
        dossier.budget == BudgetState::Extended && dossier.purpose != Purpose::Investment;
    opinion.barredByPrudence = prudent == false;
    if (opinion.barredByVerdict || opinion.barredByExtendedBudget || opinion.barredByPrudence)
        opinion.kind = Opinion::Kind::Unfavourable;
    else if (verdict.outcome == Outcome::Authorisation)
        opinion.kind = Opinion::Kind::ConditionedOnAuthorisation;
    return opinion;
}

} // namespace borrowing
