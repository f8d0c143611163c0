// The entity's name and province and the maximum debt percentage of a run, and the prompts
// that set them.
#pragma once

#include "TextPrompt.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace app {

struct EntityData
{
    QString name;
    QString province;
    // The percentage as the user typed it, and its value; 0 means no limit is set.
    QString maxDebtPercentText = QStringLiteral("0");
    std::int32_t maxDebtPercent = 0;

    friend bool operator==(const EntityData&, const EntityData&) = default;
};

// Asks for the name and then the province while they are missing.
void ensureEntityData(EntityData& entity, const Prompter& ask);
// Lets the user review both values: a missing one is asked until given, a present one once.
void editEntityData(EntityData& entity, const Prompter& ask);
// Asks until the answer is a valid integer, proposing `proposal` or, when there is none, the
// current (possibly refused) text.
void askMaxDebtPercent(EntityData& entity, const Prompter& ask,
                       const std::optional<QString>& proposal);

} // namespace app
