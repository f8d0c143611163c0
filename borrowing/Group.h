// The group of entities: the entity and its dependent entities in the public-administration
// sector, each one's figures, and what they give consolidated.
#pragma once

#include "Case.h"
#include "Indicators.h"
#include "LoanRegister.h"

#include <optional>
#include <vector>

namespace borrowing {

// A row of the group: an entity's current revenue, the part of it that comes from the group,
// its current expenditure (or, for a market entity, its result), its loans' annuity and debt as
// the register counts them, and its net savings.
struct GroupRow
{
    // Empty, and no kind, for the entity itself.
    QString name;
    std::optional<EntityKind> kind;
    Amount revenue = 0;
    Amount transfers = 0;
    Amount spending = 0;
    Amount annuity = 0;
    Amount netSavings = 0;
    Amount debt = 0;

    friend bool operator==(const GroupRow&, const GroupRow&) = default;
};

struct Group
{
    // The entity itself first, with its own computable figures, its adjustments and the
    // planned loan, then each dependent entity; no rows without dependent entities.
    std::vector<GroupRow> rows;
    // What the dependent entities add: their revenue less what comes from the group, their net
    // savings and their debt.
    Amount revenue = 0;
    Amount netSavings = 0;
    Amount debt = 0;
    // Their short-term operations' capital, which stays as it is year by year.
    Amount shortTermDebt = 0;
    // The whole group's internal transfers and annuities, every row's.
    Amount totalTransfers = 0;
    Amount totalAnnuity = 0;

    bool hasDependents() const { return !rows.empty(); }

    friend bool operator==(const Group&, const Group&) = default;
};

// The group of a case as the window holds it, from the entity's own indicators and its
// register as counted.
Group groupOf(const Case& c, const Indicators& own, const RegisterSummary& loans);

// The indicators with the computable revenue, net savings and live debt of the whole group:
// the entity's own plus what its dependent entities add, each shown to the cent. Without
// dependent entities they are the entity's own.
Indicators consolidated(const Indicators& own, const Group& group);

} // namespace borrowing
