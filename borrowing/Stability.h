// Budget stability of the last settlement as the Intervención states it: the financing
// capacity or need, what it and the expenditure rule ask of the entity, and the cut a negative
// cash surplus asks of the new budget.
#pragma once

#include "Case.h"
#include "Indicators.h"

#include <optional>

namespace borrowing {

struct StabilityStatement
{
    // Worked out from the settlement (CAPNEC), or as an older case gave it while it stands.
    Amount capacity = 0;
    bool capacityGiven = false;
    SpendingRule rule = SpendingRule::NoData;
    // A need of financing, or the rule broken: the entity must draw up an economic-financial
    // plan.
    bool planNeeded = false;
    // With a negative cash surplus, the spending the new budget must cut: as much as it lacks.
    std::optional<Amount> spendingCut;
    // Nothing was given of what chapters I to III collected, so there is no adjustment for it.
    bool withoutCollections = false;

    friend bool operator==(const StabilityStatement&, const StabilityStatement&) = default;
};

// Whether any of the settlement's figures that stability is worked out from beyond the current
// ones has been given: then a capacity an older case gave no longer stands.
bool stabilityFiguresGiven(const Figures& figures);
bool isStabilityFigure(Amount Figures::*figure);

// The statement of a case as the window holds it, from the entity's own indicators.
StabilityStatement stabilityOf(const Case& shown, const Indicators& own);

} // namespace borrowing
