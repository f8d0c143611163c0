// The group of entities: the entity and its dependent entities in the public-administration
// sector, each one's figures, and what they give consolidated.
#include "Group.h"

#include "LoanRegister.h"
#include "NumberFormat.h"

namespace borrowing {

namespace {

Amount shown(Amount x)
{
    return amount::shownValue(x, AmountDecimals);
}

} // namespace

Group groupOf(const Case& c, const Indicators& own, const RegisterSummary& loans)
{
    Group group;
    if (c.entities.empty())
        return group;
    const Figures& f = c.figures;
    group.rows.push_back({.name = {},
                          .kind = std::nullopt,
                          .revenue = own.computableRevenue,
                          .transfers = 0,
                          .spending = shown(own.totalExpenditure - f.surplusFinancedExpenditure),
                          .annuity = shown(f.existingAnnuity + f.plannedAnnuity),
                          .netSavings = own.computableNetSavings,
                          .debt = own.computableDebt});
    for (const DependentEntity& e : c.entities) {
        const RegisterTotals& totals = loans.of(e.name);
        const Amount annuity =
            shown(totals.of(LoanKind::Own).annuity + totals.of(LoanKind::Guaranteed).annuity);
        Amount debt = 0;
        for (const KindTotals& kind : totals.kinds)
            debt += kind.debt;
        const bool market = e.kind == EntityKind::Market;
        const Amount spending = market ? e.result : e.expenditure;
        const Amount netSavings = shown((market ? e.result : e.revenue - e.expenditure) - annuity);
        group.rows.push_back({.name = e.name,
                              .kind = e.kind,
                              .revenue = e.revenue,
                              .transfers = e.transfers,
                              .spending = spending,
                              .annuity = annuity,
                              .netSavings = netSavings,
                              .debt = shown(debt)});
        group.revenue += e.revenue - e.transfers;
        group.netSavings += netSavings;
        group.debt += debt;
        group.shortTermDebt += totals.of(LoanKind::ShortTerm).capital;
    }
    for (const GroupRow& row : group.rows) {
        group.totalTransfers += row.transfers;
        group.totalAnnuity += row.annuity;
    }
    group.totalTransfers = amount::roundToCents(group.totalTransfers);
    group.totalAnnuity = amount::roundToCents(group.totalAnnuity);
    group.revenue = shown(group.revenue);
    group.netSavings = shown(group.netSavings);
    group.debt = shown(group.debt);
    group.shortTermDebt = shown(group.shortTermDebt);
    return group;
}

Indicators consolidated(const Indicators& own, const Group& group)
{
    if (!group.hasDependents())
        return own;
    Indicators r = own;
    r.computableRevenue = shown(own.computableRevenue + group.revenue);
    r.computableNetSavings = shown(own.computableNetSavings + group.netSavings);
    r.computableDebt = shown(own.computableDebt + group.debt);
    return r;
}

} // namespace borrowing
