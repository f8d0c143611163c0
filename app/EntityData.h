// The entity's name and province and the maximum debt percentage of a run, and the prompts
// that set them.
#pragma once

#include "TextPrompt.h"

#include <QString>

#include <cstdint>
#include <optional>

struct TEntityData
{
    QString EntityName;
    QString EntityProvince;
    // The percentage as the user typed it, and its value; 0 means no limit is set.
    QString MaxDebtPercentText = QStringLiteral("0");
    std::int32_t MaxDebtPercent = 0;
};

// The value of a whole text that is a 32-bit integer: leading spaces, a sign, then decimal
// digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing else.
std::optional<std::int32_t> ParseInteger(const QString& text);

// Asks for the name and then the province while they are missing.
void EnsureEntityData(TEntityData& entity, const TPrompter& ask);
// Lets the user review both values: a missing one is asked until given, a present one once.
void EditEntityData(TEntityData& entity, const TPrompter& ask);
// Asks until the answer is a valid integer, proposing `proposal` or, when there is none, the
// current (possibly refused) text.
void AskMaxDebtPercent(TEntityData& entity, const TPrompter& ask,
                       const std::optional<QString>& proposal);

// The caption of the limit's group box for the percentage text as typed.
QString LimitCaption(const QString& maxDebtPercentText);
