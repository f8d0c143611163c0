// Case files: the figures of one loan request as a JSON document, read and written whole.
#include "CaseFile.h"

#include "CaseFields.h"
#include "Checks.h"
#include "IntegerText.h"
#include "Stability.h"
#include "UserFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QStringList>

#include <charconv>

namespace casefile {

namespace {

using borrowing::Field;
using borrowing::FieldKind;
using borrowing::Refusal;
using borrowing::Refused;
using Reason = Refusal::Reason;

constexpr int Version = 1;
// Far more than a register of a million loans writes; a larger file is not read.
constexpr qint64 MaxFileSize = qint64{1} << 30;

QString key(const char* name)
{
    return QString::fromLatin1(name);
}

[[noreturn]] void notACase()
{
    throw Refused({.reason = Reason::NotACase});
}

// A value of the field `where` names, of another shape than `shape`.
[[noreturn]] void wrongShape(Refusal where, Refusal::Shape shape)
{
    where.reason = Reason::WrongShape;
    where.shape = shape;
    throw Refused(std::move(where));
}

// A JSON string literal.
QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return out + u'"';
}

QString member(const QString& name, const QString& jsonValue)
{
    return quoted(name) + QStringLiteral(": ") + jsonValue;
}

// The members on one line between braces, as in `{ "a": 1, "b": 2 }`.
QString inlineObject(const QStringList& members)
{
    return QStringLiteral("{ ") + members.join(QStringLiteral(", ")) + QStringLiteral(" }");
}

// The items one to a line between brackets.
QString listOf(const QStringList& items)
{
    return QStringLiteral("[\n    ") + items.join(QStringLiteral(",\n    ")) +
           QStringLiteral("\n  ]");
}

QJsonObject objectAt(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(key(name));
    if (value.isUndefined())
        return {};
    if (!value.isObject())
        wrongShape({.reason = Reason::WrongShape, .key = name}, Refusal::Shape::Object);
    return value.toObject();
}

QJsonArray arrayAt(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(key(name));
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        wrongShape({.reason = Reason::WrongShape, .key = name}, Refusal::Shape::List);
    return value.toArray();
}

// How a record's fields are written and read: each field that the record counts, or every
// field; and whether a field a file must have may be missing (then it keeps a new record's).
struct Policy
{
    bool onlyWhatApplies = false;
    bool missingRefused = false;
};

// GCC 12 sees the text member of a record that has none (a null member pointer, on a branch its
// kind never takes) as an access out of the record's bounds.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ < 13
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

// A field's value as JSON.
template <typename Part> QString valueJson(const Field<Part>& field, const Part& part)
{
    switch (field.kind) {
    case FieldKind::Text:
        return quoted(part.*field.text);
    case FieldKind::Flag:
        return part.*field.flag ? QStringLiteral("true") : QStringLiteral("false");
    case FieldKind::Choice:
        return quoted(key(field.words[static_cast<std::size_t>(field.choice(part))].word));
    case FieldKind::Amount:
    case FieldKind::Percent:
    case FieldKind::Years:
        break;
    }
    return quoted(amountToText(part.*field.amount));
}

// The record's members: those a file must have, and the others where they are not a new
// record's.
template <typename Part, std::size_t N>
QStringList membersOf(const std::array<Field<Part>, N>& fields, const Part& part,
                      Policy policy = {})
{
    QStringList members;
    for (const Field<Part>& field : fields) {
        if (policy.onlyWhatApplies && !field.appliesTo(part))
            continue;
        if (field.required || !borrowing::sameValue(field, part, Part{}))
            members << member(key(field.key), valueJson(field, part));
    }
    return members;
}

// The option a choice's value names: a word, or true and false where older files wrote them.
template <typename Part>
std::optional<int> optionOf(const Field<Part>& field, const QJsonValue& value)
{
    if (field.readsFlags && value.isBool())
        return value.toBool() ? 1 : 2;
    if (!value.isString())
        return std::nullopt;
    return borrowing::choiceNamed(field.words, value.toString());
}

// Reads the record's fields from the object; `where` says whose they are.
template <typename Part, std::size_t N>
void readFields(const std::array<Field<Part>, N>& fields, const QJsonObject& object, Part& part,
                Refusal where, Policy policy = {})
{
    for (const Field<Part>& field : fields) {
        if (policy.onlyWhatApplies && !field.appliesTo(part))
            continue;
        where.key = field.key;
        const QJsonValue value = object.value(key(field.key));
        if (value.isUndefined()) {
            if (!policy.missingRefused || !field.required)
                continue;
            // A kind the file does not name is a word it does not take.
            where.reason = field.kind == FieldKind::Choice ? Reason::UnknownWord : Reason::Missing;
            where.words = field.words;
            throw Refused(where);
        }
        switch (field.kind) {
        case FieldKind::Text:
            if (!value.isString())
                wrongShape(where, Refusal::Shape::Text);
            part.*field.text = value.toString();
            break;
        case FieldKind::Flag:
            if (!value.isBool())
                wrongShape(where, Refusal::Shape::Flag);
            part.*field.flag = value.toBool();
            break;
        case FieldKind::Choice: {
            // A word that is no text names no option either.
            const std::optional<int> option = optionOf(field, value);
            if (!option) {
                where.reason = Reason::UnknownWord;
                where.words = field.words;
                where.text = value.toString();
                throw Refused(where);
            }
            field.setChoice(part, *option);
            break;
        }
        case FieldKind::Amount:
        case FieldKind::Percent:
        case FieldKind::Years: {
            const std::optional<Amount> amount =
                value.isString() ? amountFromText(value.toString()) : std::nullopt;
            if (!amount) {
                where.reason = Reason::NotANumber;
                throw Refused(where);
            }
            part.*field.amount = *amount;
            break;
        }
        }
    }
}

#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ < 13
#pragma GCC diagnostic pop
#endif

template <typename Part, std::size_t N>
Part recordAt(const QJsonObject& root, const char* name, const std::array<Field<Part>, N>& fields,
              Refusal::Record record)
{
    Part part;
    readFields(fields, objectAt(root, name), part,
               {.reason = Reason::NotANumber, .record = record});
    return part;
}

std::vector<borrowing::Loan> loansAt(const QJsonObject& root)
{
    std::vector<borrowing::Loan> loans;
    for (const QJsonValue& item : arrayAt(root, borrowing::keys::Loans)) {
        const Refusal where{.reason = Reason::NotANumber,
                            .record = Refusal::Record::Loan,
                            .index = static_cast<int>(loans.size()) + 1};
        if (!item.isObject())
            wrongShape(where, Refusal::Shape::Object);
        borrowing::Loan loan;
        readFields(borrowing::LoanFields, item.toObject(), loan, where);
        loans.push_back(std::move(loan));
    }
    return loans;
}

std::vector<borrowing::DependentEntity> entitiesAt(const QJsonObject& root)
{
    std::vector<borrowing::DependentEntity> entities;
    for (const QJsonValue& item : arrayAt(root, borrowing::keys::Entities)) {
        Refusal where{.reason = Reason::NotANumber,
                      .record = Refusal::Record::Entity,
                      .index = static_cast<int>(entities.size()) + 1};
        if (!item.isObject())
            wrongShape(where, Refusal::Shape::Object);
        const QJsonObject object = item.toObject();
        borrowing::DependentEntity e;
        // The name and the kind first: the figures the kind needs must be there, and the other
        // is not read.
        const auto nameField =
            borrowing::fieldOf(borrowing::EntityFields, &borrowing::DependentEntity::name);
        if (const QJsonValue name = object.value(key(nameField.key)); !name.isUndefined()) {
            where.key = nameField.key;
            if (!name.isString())
                wrongShape(where, Refusal::Shape::Text);
            e.name = name.toString();
        }
        where.name = e.name;
        readFields(borrowing::EntityFields, object, e, where,
                   {.onlyWhatApplies = true, .missingRefused = true});
        entities.push_back(std::move(e));
    }
    return entities;
}

// The recovery plan, its measures one entry a year: for each of its years, and no more.
borrowing::RecoveryPlan planAt(const QJsonObject& root)
{
    using borrowing::Refusal;
    const QJsonObject object = objectAt(root, borrowing::keys::Plan);
    borrowing::RecoveryPlan plan;
    readFields(borrowing::PlanFields, object, plan,
               {.reason = Reason::NotANumber, .record = Refusal::Record::Plan});
    const char* measuresKey = borrowing::keys::Measures;
    const QJsonValue measures = object.value(key(measuresKey));
    if (!measures.isUndefined() && !measures.isArray()) {
        wrongShape(
            {.reason = Reason::WrongShape, .record = Refusal::Record::Plan, .key = measuresKey},
            Refusal::Shape::List);
    }
    for (const QJsonValue& item : measures.toArray()) {
        const Refusal where{.reason = Reason::NotANumber,
                            .record = Refusal::Record::Measures,
                            .index = static_cast<int>(plan.measures.size()) + 1};
        if (!item.isObject())
            wrongShape(where, Refusal::Shape::Object);
        borrowing::PlanMeasures year;
        readFields(borrowing::MeasureFields, item.toObject(), year, where);
        plan.measures.push_back(year);
    }
    return plan;
}

void checkFormatAndVersion(const QJsonObject& root)
{
    if (root.value(key(borrowing::keys::Format)) != QJsonValue(key(borrowing::keys::FormatName)))
        notACase();
    const QJsonValue version = root.value(key(borrowing::keys::Version));
    if (version.isUndefined())
        return;
    if (!version.isDouble()) {
        wrongShape({.reason = Reason::WrongShape, .key = borrowing::keys::Version},
                   Refusal::Shape::Number);
    }
    if (version.toDouble() > Version)
        throw Refused({.reason = Reason::LaterVersion});
    if (version.toDouble() != Version)
        notACase();
}

} // namespace

QString amountToText(Amount x)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(u'e', u'E');
    return text;
}

std::optional<Amount> amountFromText(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    const auto digits = [&] {
        const char* start = p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
        return p > start;
    };
    if (text.size() != bytes.size())
        return std::nullopt;
    if (p < end && *p == '-')
        ++p;
    if (!digits())
        return std::nullopt;
    if (p < end && *p == '.' && (++p, !digits()))
        return std::nullopt;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        if (!digits())
            return std::nullopt;
    }
    if (p != end)
        return std::nullopt;
    Amount value = 0;
    const auto [stop, error] = std::from_chars(bytes.constData(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

QByteArray caseToJson(const Case& c)
{
    using namespace borrowing;
    QStringList members{member(key(keys::Format), quoted(key(keys::FormatName))),
                        member(key(keys::Version), QString::number(Version))};
    if (const QStringList entity = membersOf(EntityDataFields, c); !entity.isEmpty())
        members << member(key(keys::EntityData), inlineObject(entity));
    if (!c.limitText.isEmpty())
        members << member(key(keys::Limit), quoted(c.limitText));
    members << member(key(keys::Figures),
                      QStringLiteral("{\n    ") +
                          membersOf(FigureFields, c.figures).join(QStringLiteral(",\n    ")) +
                          QStringLiteral("\n  }"));
    members << member(key(keys::PlannedLoan),
                      inlineObject(membersOf(PlannedLoanFields, c.plannedLoan)));
    members << member(key(keys::Evolution), inlineObject(membersOf(EvolutionFields, c.evolution)));
    // Written once there is something to state, so that older cases save as they did.
    // The dossier keeps what stability is stated with too, a capacity given while it stands.
    const QStringList stability = membersOf(StabilityFields, c.stability);
    if (!(c.dossier == Dossier{}) || !stability.isEmpty()) {
        members << member(key(keys::Dossier),
                          inlineObject(membersOf(DossierFields, c.dossier) + stability));
    }
    // Written once it is not a new one, with an entry for each of its years.
    if (const RecoveryPlan plan = keptPlan(c.plan); !(plan == RecoveryPlan{})) {
        QStringList measures;
        for (std::size_t year = 0; year < static_cast<std::size_t>(plan.years); ++year) {
            const PlanMeasures m =
                year < plan.measures.size() ? plan.measures[year] : PlanMeasures{};
            QStringList members;
            for (const Field<PlanMeasures>& field : MeasureFields)
                members << member(key(field.key), valueJson(field, m));
            measures << inlineObject(members);
        }
        QStringList fields;
        for (const Field<RecoveryPlan>& field : PlanFields)
            fields << member(key(field.key), valueJson(field, plan));
        fields << member(key(keys::Measures),
                         QStringLiteral("[") + measures.join(QStringLiteral(", ")) + u']');
        members << member(key(keys::Plan), inlineObject(fields));
    }
    if (!c.loans.empty()) {
        QStringList loans;
        for (const Loan& loan : c.loans)
            loans << inlineObject(membersOf(LoanFields, loan));
        members << member(key(keys::Loans), listOf(loans));
    }
    if (!c.entities.empty()) {
        QStringList entities;
        for (const DependentEntity& e : c.entities)
            entities << inlineObject(membersOf(EntityFields, e, {.onlyWhatApplies = true}));
        members << member(key(keys::Entities), listOf(entities));
    }
    return (QStringLiteral("{\n  ") + members.join(QStringLiteral(",\n  ")) +
            QStringLiteral("\n}\n"))
        .toUtf8();
}

Case caseFromJson(const QByteArray& json)
{
    using namespace borrowing;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(json);
    if (utf8.hasError())
        throw Refused({.reason = Reason::NotUtf8});
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        notACase();
    const QJsonObject root = document.object();
    checkFormatAndVersion(root);

    Case c;
    readFields(EntityDataFields, objectAt(root, keys::EntityData), c,
               {.reason = Reason::NotACase, .record = Refusal::Record::EntityData});
    const QJsonValue limit = root.value(key(keys::Limit));
    if (!limit.isUndefined()) {
        c.limitText = limit.toString();
        if (!limit.isString() || (!c.limitText.isEmpty() && !amount::parseInteger(c.limitText)))
            throw Refused({.reason = Reason::InvalidLimit});
    }
    c.figures = recordAt(root, keys::Figures, FigureFields, Refusal::Record::Figures);
    c.plannedLoan =
        recordAt(root, keys::PlannedLoan, PlannedLoanFields, Refusal::Record::PlannedLoan);
    c.evolution = recordAt(root, keys::Evolution, EvolutionFields, Refusal::Record::Evolution);
    c.dossier = recordAt(root, keys::Dossier, DossierFields, Refusal::Record::Dossier);
    c.stability = recordAt(root, keys::Dossier, StabilityFields, Refusal::Record::Dossier);
    // An older case's capacity stands until the figures it is worked out from are given.
    if (stabilityFiguresGiven(c.figures))
        c.stability.givenCapacity = 0;
    c.plan = keptPlan(planAt(root));
    c.loans = loansAt(root);
    c.entities = entitiesAt(root);
    return c;
}

Case readCaseFile(const QString& path)
{
    Case c = caseFromJson(userfile::readUserFile(path, MaxFileSize));
    borrowing::checkCase(c);
    return c;
}

void writeCaseFile(const QString& path, const Case& c)
{
    userfile::writeUserFile(path, caseToJson(c));
}

} // namespace casefile
