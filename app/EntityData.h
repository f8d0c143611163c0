// The entity's name and province and the maximum debt percentage of a run.
#pragma once

#include <QString>

#include <cstdint>

struct TEntityData
{
    QString EntityName;
    QString EntityProvince;
    // The percentage as the user typed it, and its value; 0 means no limit is set.
    QString MaxDebtPercentText = QStringLiteral("0");
    std::int32_t MaxDebtPercent = 0;
};

// The caption of the limit's group box for the percentage text as typed.
inline QString LimitCaption(const QString& maxDebtPercentText)
{
    return maxDebtPercentText + QStringLiteral("% Derechos Rec. frente a Capitales Vivos");
}
