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
};

// The value of a whole text that is a 32-bit integer: leading spaces, a sign, then decimal
// digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing else.
std::optional<std::int32_t> parseInteger(const QString& text);

// Asks for the name and then the province while they are missing.
void ensureEntityData(EntityData& entity, const Prompter& ask);
// Lets the user review both values: a missing one is asked until given, a present one once.
void editEntityData(EntityData& entity, const Prompter& ask);
// Asks until the answer is a valid integer, proposing `proposal` or, when there is none, the
// current (possibly refused) text.
void askMaxDebtPercent(EntityData& entity, const Prompter& ask,
                       const std::optional<QString>& proposal);

// The caption of the limit's group box for the percentage text as typed.
QString limitCaption(const QString& maxDebtPercentText);

} // namespace app
