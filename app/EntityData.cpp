// The entity's name and province and the maximum debt percentage of a run, and the prompts
// that set them.
#include "EntityData.h"

#include "DigitText.h"

#include <limits>

namespace app {

namespace {

const QString EntityTitle = QStringLiteral("Datos de la Entidad Local Solicitante");

struct EntityValue
{
    QString EntityData::*member;
    QString prompt;
    QString placeholder;
};

const EntityValue Name{&EntityData::name, QStringLiteral("Nombre: "),
                       QStringLiteral("Ponga aquí el nombre de la Entidad")};
const EntityValue Province{&EntityData::province, QStringLiteral("Provincia: "),
                           QStringLiteral("Ponga aquí la provincia de la Entidad")};

bool isMissing(const EntityData& entity, const EntityValue& value)
{
    const QString& text = entity.*value.member;
    return text.isEmpty() || text == value.placeholder;
}

void askUntilGiven(EntityData& entity, const EntityValue& value, const Prompter& ask)
{
    do {
        entity.*value.member = ask(EntityTitle, value.prompt, value.placeholder);
    } while (entity.*value.member == value.placeholder);
}

} // namespace

std::optional<std::int32_t> parseInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int base = 10;
    if (text.mid(i, 2).compare(u"0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = decimal::hexDigitValue(text[i].unicode());
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

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
            entity.*value->member = ask(EntityTitle, value->prompt, entity.*value->member);
    }
}

void askMaxDebtPercent(EntityData& entity, const Prompter& ask,
                       const std::optional<QString>& proposal)
{
    std::optional<std::int32_t> value;
    do {
        entity.maxDebtPercentText =
            ask(QStringLiteral("Porcentaje máximo de endeudamiento"),
                QStringLiteral("% endeudamiento"), proposal.value_or(entity.maxDebtPercentText));
        value = parseInteger(entity.maxDebtPercentText);
        entity.maxDebtPercent = value.value_or(0);
    } while (!value);
}

QString limitCaption(const QString& maxDebtPercentText)
{
    return maxDebtPercentText + QStringLiteral("% Derechos Rec. frente a Capitales Vivos");
}

} // namespace app
