// The Intervención's opinion on the operation: who approves it, and whether the report is
// favourable.
#include "Opinion.h"

#include "NumberFormat.h"

#include <cmath>

namespace borrowing {

Competence competenceOf(const Dossier& d, Amount plannedCapital)
{
    constexpr Amount TenPercent = 10;
    constexpr Amount CentsPerEuro = 100;
    const Amount operations = d.arrangedThisYear + plannedCapital;
    // The operations are whole cents; a tenth of the resources may hold a fraction of one, shown
    // cut down to the cent: the operations are above it exactly when they are above what shows.
    const long long resourceCents = std::llround(d.ordinaryResources * CentsPerEuro);
    Competence competence{
        .body = d.foreseen ? DecidingBody::Mayor : DecidingBody::PlenarySimpleMajority,
        .operations = amount::roundToCents(operations),
        .tenPercentOfResources =
            static_cast<Amount>(resourceCents / static_cast<long long>(TenPercent)) / CentsPerEuro};
    if (Percent * operations > TenPercent * d.ordinaryResources)
        competence.body = DecidingBody::PlenaryAbsoluteMajority;
    return competence;
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
