// What a case holds: the figures typed on the main window, the loan calculator's inputs and the
// register of loans in force, with the entity data and the debt limit.
#include "Case.h"

#include "CaseFields.h"
#include "LoanRegister.h"
#include "NumberFormat.h"

#include <cmath>

namespace borrowing {

namespace {

Amount shown(Amount x, int decimals)
{
    return std::isfinite(x) ? amount::shownValue(x, decimals) : x;
}

// Each number field of the record as its field shows it.
template <typename Part, std::size_t N>
Part roundedAsShown(Part part, const std::array<Field<Part>, N>& fields)
{
    for (const Field<Part>& field : fields) {
        if (field.isNumber())
            part.*field.amount = shown(part.*field.amount, field.decimals);
    }
    return part;
}

} // namespace

Figures shownFigures(Figures figures)
{
    return roundedAsShown(figures, FigureFields);
}

Dossier shownDossier(Dossier dossier)
{
    return roundedAsShown(dossier, DossierFields);
}

RecoveryPlan keptPlan(RecoveryPlan plan)
{
    while (!plan.measures.empty() && plan.measures.back() == PlanMeasures{})
        plan.measures.pop_back();
    return plan;
}

RecoveryPlan shownPlan(RecoveryPlan plan)
{
    plan = roundedAsShown(plan, PlanFields);
    for (PlanMeasures& measures : plan.measures)
        measures = roundedAsShown(measures, MeasureFields);
    return keptPlan(std::move(plan));
}

Case shownCase(Case c)
{
    c.figures = withRegisterTotals(c.figures, c.loans);
    return roundedAsShown(std::move(c));
}

Case roundedAsShown(Case c)
{
    c.figures = shownFigures(c.figures);
    c.plannedLoan = roundedAsShown(c.plannedLoan, PlannedLoanFields);
    c.evolution = roundedAsShown(c.evolution, EvolutionFields);
    c.dossier = shownDossier(c.dossier);
    c.stability = roundedAsShown(c.stability, StabilityFields);
    c.plan = shownPlan(c.plan);
    if (c.limitText == u"0")
        c.limitText.clear();
    return c;
}

} // namespace borrowing
