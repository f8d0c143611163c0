// Budget stability of the last settlement as the Intervención states it: the financing
// capacity or need, what it and the expenditure rule ask of the entity, and the cut a negative
// cash surplus asks of the new budget.
#include "Stability.h"

#include <algorithm>
#include <array>

namespace borrowing {

namespace {

constexpr std::array<Amount Figures::*, 8> StabilityFigures{
    &Figures::revenueVI,        &Figures::revenueVII,     &Figures::expenditureIII,
    &Figures::expenditureVI,    &Figures::expenditureVII, &Figures::collections,
    &Figures::otherAdjustments, &Figures::cashSurplus};

} // namespace

bool isStabilityFigure(Amount Figures::*figure)
{
    return std::find(StabilityFigures.begin(), StabilityFigures.end(), figure) !=
           StabilityFigures.end();
}

bool stabilityFiguresGiven(const Figures& figures)
{
    return std::any_of(StabilityFigures.begin(), StabilityFigures.end(),
                       [&](Amount Figures::*figure) { return figures.*figure != 0; });
}

StabilityStatement stabilityOf(const Case& c, const Indicators& own)
{
    const Stability& s = c.stability;
    const bool given = s.givenCapacity != 0 && !stabilityFiguresGiven(c.figures);
    const Amount capacity = given ? s.givenCapacity : own.financingCapacity;
    const Amount surplus = c.figures.cashSurplus;
    return {.capacity = capacity,
            .capacityGiven = given,
            .rule = s.rule,
            .planNeeded = capacity < 0 || s.rule == SpendingRule::Broken,
            .spendingCut = surplus < 0 ? std::optional<Amount>(-surplus) : std::nullopt,
            .withoutCollections = c.figures.collections == 0};
}

} // namespace borrowing
