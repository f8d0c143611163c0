// The Intervención's opinion on the operation: who approves it, and whether the report is
// favourable.
#pragma once

#include "Case.h"
#include "Verdict.h"

#include <cstdint>
#include <optional>

namespace borrowing {

// Who approves the operation: the plenary by absolute majority when the long-term operations
// of the year, this one included, pass 10 % of the ordinary resources; else the mayor when the
// budget foresees it; else the plenary by simple majority.
enum class DecidingBody : std::uint8_t
{
    PlenaryAbsoluteMajority,
    Mayor,
    PlenarySimpleMajority
};

// Who approves the operation, and the two amounts that decide it as the report shows them: the
// long-term operations of the year, this one included, and 10 % of the ordinary resources cut
// down to the cent, so that operations shown above it are above it and shown equal are not.
struct Competence
{
    DecidingBody body = DecidingBody::PlenarySimpleMajority;
    Amount operations = 0;
    Amount tenPercentOfResources = 0;

    friend bool operator==(const Competence&, const Competence&) = default;
};

// The operations of the year against the ordinary resources, compared without dividing:
// 100 × (arranged + planned capital) > 10 × resources.
Competence competenceOf(const Dossier& dossier, Amount plannedCapital);

struct Opinion
{
    enum class Kind : std::uint8_t
    {
        Favourable,
        // Favourable once the supervising body authorises the operation.
        ConditionedOnAuthorisation,
        Unfavourable
    };
    Kind kind = Kind::Favourable;
    // What makes it unfavourable: the verdict bars the operation; an extended budget allows
    // only investments; the rate passes the prudence maximum.
    bool barredByVerdict = false;
    bool barredByExtendedBudget = false;
    bool barredByPrudence = false;

    friend bool operator==(const Opinion&, const Opinion&) = default;
};

// The opinion from the verdict under the rules in force, the dossier and whether the rate keeps
// within the prudence maximum (nothing when none is given).
Opinion opinionOf(const Verdict& verdict, const Dossier& dossier,
                  const std::optional<bool>& prudent);

} // namespace borrowing
