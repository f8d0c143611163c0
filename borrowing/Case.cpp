// What a case holds: the figures typed on the main window, the loan calculator's inputs and the
// register of loans in force, with the entity data and the debt limit.
#include "Case.h"

#include "LoanRegister.h"
#include "NumberFormat.h"

#include <cmath>

namespace borrowing {

namespace {

Amount shown(Amount x, int decimals)
{
    return std::isfinite(x) ? amount::shownValue(x, decimals) : x;
}

template <typename Part, std::size_t N>
void roundAsShown(Part& part, const std::array<Field<Part>, N>& fields)
{
    for (const Field<Part>& field : fields)
        part.*field.member = shown(part.*field.member, field.decimals);
}

} // namespace

Figures shownFigures(Figures figures)
{
    roundAsShown(figures, FigureFields);
    return figures;
}

Dossier shownDossier(Dossier d)
{
    for (Amount* figure :
         {&d.ordinaryResources, &d.arrangedThisYear, &d.stability, &d.paymentPeriod})
        *figure = shown(*figure, AmountDecimals);
    return d;
}

Case shownCase(Case c)
{
    c.figures = shownFigures(withRegisterTotals(c.figures, c.loans));
    roundAsShown(c.plannedLoan, PlannedLoanFields);
    c.revenueGrowth = shown(c.revenueGrowth, AmountDecimals);
    c.dossier = shownDossier(c.dossier);
    if (c.limitText == u"0")
        c.limitText.clear();
    return c;
}

} // namespace borrowing
