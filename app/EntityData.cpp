// The entity's name and province and the maximum debt percentage of a run, and the prompts
// that set them.
#include "EntityData.h"

#include <limits>

namespace {

const QString EntityTitle = QStringLiteral("Datos de la Entidad Local Solicitante");

struct EntityValue
{
    QString TEntityData::*member;
    QString prompt;
    QString placeholder;
};

const EntityValue Name{&TEntityData::EntityName, QStringLiteral("Nombre: "),
                       QStringLiteral("Ponga aquí el nombre de la Entidad")};
const EntityValue Province{&TEntityData::EntityProvince, QStringLiteral("Provincia: "),
                           QStringLiteral("Ponga aquí la provincia de la Entidad")};

bool isMissing(const TEntityData& entity, const EntityValue& value)
{
    const QString& text = entity.*value.member;
    return text.isEmpty() || text == value.placeholder;
}

void askUntilGiven(TEntityData& entity, const EntityValue& value, const TPrompter& ask)
{
    do {
        entity.*value.member = ask(EntityTitle, value.prompt, value.placeholder);
    } while (entity.*value.member == value.placeholder);
}

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> ParseInteger(const QString& text)
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
        const int digit = hexDigit(text[i]);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

void EnsureEntityData(TEntityData& entity, const TPrompter& ask)
{
    for (const EntityValue* value : {&Name, &Province}) {
        if (isMissing(entity, *value))
            askUntilGiven(entity, *value, ask);
    }
}

void EditEntityData(TEntityData& entity, const TPrompter& ask)
{
    for (const EntityValue* value : {&Name, &Province}) {
        if (isMissing(entity, *value))
            askUntilGiven(entity, *value, ask);
        else
            entity.*value->member = ask(EntityTitle, value->prompt, entity.*value->member);
    }
}

void AskMaxDebtPercent(TEntityData& entity, const TPrompter& ask,
                       const std::optional<QString>& proposal)
{
    std::optional<std::int32_t> value;
    do {
        entity.MaxDebtPercentText =
            ask(QStringLiteral("Porcentaje máximo de endeudamiento"),
                QStringLiteral("% endeudamiento"), proposal.value_or(entity.MaxDebtPercentText));
        value = ParseInteger(entity.MaxDebtPercentText);
        entity.MaxDebtPercent = value.value_or(0);
    } while (!value);
}

QString LimitCaption(const QString& maxDebtPercentText)
{
    return maxDebtPercentText + QStringLiteral("% Derechos Rec. frente a Capitales Vivos");
}
