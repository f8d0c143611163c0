// The entity's name and province and the maximum debt percentage of a run, and the prompts
// that set them.
#include "EntityData.h"

#include "IntegerText.h"
#include "Messages.h"

namespace app {

namespace {

struct EntityValue
{
    QString EntityData::*member;
    QString prompt;
    QString placeholder;
};

const EntityValue Name{&EntityData::name, reports::entityNamePrompt(),
                       reports::entityNamePlaceholder()};
const EntityValue Province{&EntityData::province, reports::provincePrompt(),
                           reports::provincePlaceholder()};

bool isMissing(const EntityData& entity, const EntityValue& value)
{
    const QString& text = entity.*value.member;
    return text.isEmpty() || text == value.placeholder;
}

void askUntilGiven(EntityData& entity, const EntityValue& value, const Prompter& ask)
{
    do {
        entity.*value.member = ask(reports::entityDataTitle(), value.prompt, value.placeholder);
    } while (entity.*value.member == value.placeholder);
}

} // namespace

void ensureEntityData(EntityData& entity, const Prompter& ask)
{
    for (const EntityValue* value : {&Name, &Province}) {
        if (isMissing(entity, *value))
            askUntilGiven(entity, *value, ask);
    }
}

void editEntityData(EntityData& entity, const Prompter& ask)
{
    for (const EntityValue* value : {&Name, &Province}) {
        if (isMissing(entity, *value))
            askUntilGiven(entity, *value, ask);
        else
            entity.*value->member =
                ask(reports::entityDataTitle(), value->prompt, entity.*value->member);
    }
}

void askMaxDebtPercent(EntityData& entity, const Prompter& ask,
                       const std::optional<QString>& proposal)
{
    std::optional<std::int32_t> value;
    do {
        entity.maxDebtPercentText =
            ask(reports::maxDebtPercentTitle(), reports::maxDebtPercentPrompt(),
                proposal.value_or(entity.maxDebtPercentText));
        value = amount::parseInteger(entity.maxDebtPercentText);
        entity.maxDebtPercent = value.value_or(0);
    } while (!value);
}

} // namespace app
