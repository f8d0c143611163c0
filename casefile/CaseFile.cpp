// Case files: the figures of one loan request as a JSON document, read and written whole.
#include "CaseFile.h"

#include "Checks.h"
#include "IntegerText.h"
#include "UserFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <array>
#include <charconv>

namespace casefile {

namespace {

const QString Format = QStringLiteral("endeudamiento-caso");
constexpr int Version = 1;
// Far more than a register of a million loans writes; a larger file is not read.
constexpr qint64 MaxFileSize = qint64{1} << 30;

const QString CapitalKey = QStringLiteral("Capital");
const QString RateKey = QStringLiteral("Interes");
const QString YearsKey = QStringLiteral("anios");
const QString MaximumRateKey = QStringLiteral("tipomaximo");
const QString GrowthKey = QStringLiteral("crecimiento");
const QString LoansKey = QStringLiteral("prestamos_vigentes");
const QString EntityKey = QStringLiteral("entidad");
const QString LoanCapitalKey = QStringLiteral("capital");
const QString LoanRateKey = QStringLiteral("interes");
const QString LoanYearsKey = QStringLiteral("anios");
const QString LoanKindKey = QStringLiteral("tipo");
const QString LoanShareKey = QStringLiteral("aval");
const QString LoanMortgageKey = QStringLiteral("hipoteca");
const QString LoanHolderKey = QStringLiteral("titular");
const QString EntitiesKey = QStringLiteral("entidades_dependientes");
const QString EntityNameKey = QStringLiteral("nombre");
const QString EntityKindKey = QStringLiteral("tipo");
const QString RevenueKey = QStringLiteral("ingresos");
const QString ExpenditureKey = QStringLiteral("gastos");
const QString ResultKey = QStringLiteral("resultado");
const QString TransfersKey = QStringLiteral("transferencias");
const QString DossierKey = QStringLiteral("expediente");
const QString AdministrativeWord = QStringLiteral("administrativa");
const QString MarketWord = QStringLiteral("mercado");

// The words case files give the kinds of loans, in LoanKind's order.
const std::array<QString, borrowing::LoanKindCount> KindWords{
    QStringLiteral("propio"), QStringLiteral("avalado"), QStringLiteral("corto")};

[[noreturn]] void notACase()
{
    throw CaseFormatError("no es un caso de endeudamiento.");
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

QString member(const QString& key, const QString& jsonValue)
{
    return quoted(key) + QStringLiteral(": ") + jsonValue;
}

// The members on one line between braces, as in `{ "a": 1, "b": 2 }`.
QString inlineObject(const QStringList& members)
{
    return QStringLiteral("{ ") + members.join(QStringLiteral(", ")) + QStringLiteral(" }");
}

QString stringAt(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isString())
        notACase();
    return value.toString();
}

QJsonObject objectAt(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isObject())
        notACase();
    return value.toObject();
}

// A missing amount reads 0; one that is there must be a valid amount text. The error names
// the amount as `name`, the key itself unless given.
Amount amountAt(const QJsonObject& object, const QString& key, const QString& name = {})
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return 0;
    const std::optional<Amount> amount =
        value.isString() ? amountFromText(value.toString()) : std::nullopt;
    if (!amount) {
        throw CaseFormatError("el importe de " + (name.isEmpty() ? key : name).toStdString() +
                              " no es válido.");
    }
    return *amount;
}

std::vector<borrowing::Loan> loansAt(const QJsonObject& root)
{
    const QJsonValue value = root.value(LoansKey);
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        notACase();
    std::vector<borrowing::Loan> loans;
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isObject())
            notACase();
        const QJsonObject loan = item.toObject();
        const QString number = QString::number(loans.size() + 1);
        const auto name = [&](const QString& key) {
            return QStringLiteral("%1 del préstamo vigente %2").arg(key, number);
        };
        borrowing::Loan read{stringAt(loan, EntityKey),
                             amountAt(loan, LoanCapitalKey, name(LoanCapitalKey)),
                             amountAt(loan, LoanRateKey, name(LoanRateKey)),
                             amountAt(loan, LoanYearsKey, name(LoanYearsKey))};
        if (loan.contains(LoanKindKey)) {
            const auto kind =
                std::find(KindWords.begin(), KindWords.end(), stringAt(loan, LoanKindKey));
            if (kind == KindWords.end()) {
                throw CaseFormatError(QStringLiteral("Préstamo %1: el tipo no es propio, avalado "
                                                     "ni corto.")
                                          .arg(number)
                                          .toStdString());
            }
            read.kind = static_cast<borrowing::LoanKind>(kind - KindWords.begin());
        }
        if (loan.contains(LoanShareKey))
            read.guaranteedShare = amountAt(loan, LoanShareKey, name(LoanShareKey));
        read.mortgaged = amountAt(loan, LoanMortgageKey, name(LoanMortgageKey));
        read.holder = stringAt(loan, LoanHolderKey);
        loans.push_back(std::move(read));
    }
    return loans;
}

std::vector<borrowing::DependentEntity> entitiesAt(const QJsonObject& root)
{
    const QJsonValue value = root.value(EntitiesKey);
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        notACase();
    std::vector<borrowing::DependentEntity> entities;
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isObject())
            notACase();
        const QJsonObject object = item.toObject();
        borrowing::DependentEntity e;
        e.name = stringAt(object, EntityNameKey);
        const QString kind = stringAt(object, EntityKindKey);
        const QString entity = QStringLiteral("la entidad dependiente \"%1\"").arg(e.name);
        if (kind != AdministrativeWord && kind != MarketWord) {
            throw CaseFormatError(
                (entity + QStringLiteral(": el tipo no es administrativa ni mercado."))
                    .toStdString());
        }
        e.kind = kind == MarketWord ? borrowing::EntityKind::Market
                                    : borrowing::EntityKind::Administrative;
        // The figure the kind needs must be there; the other is not read.
        const QString& needed =
            e.kind == borrowing::EntityKind::Market ? ResultKey : ExpenditureKey;
        for (const QString& key : {RevenueKey, needed, TransfersKey}) {
            if (!object.contains(key)) {
                throw CaseFormatError(
                    (entity + QStringLiteral(": falta %1.").arg(key)).toStdString());
            }
        }
        const auto figure = [&](const QString& key) {
            return amountAt(object, key, QStringLiteral("%1 de %2").arg(key, entity));
        };
        e.revenue = figure(RevenueKey);
        (e.kind == borrowing::EntityKind::Market ? e.result : e.expenditure) = figure(needed);
        e.transfers = figure(TransfersKey);
        entities.push_back(std::move(e));
    }
    return entities;
}

bool boolAt(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (!value.isUndefined() && !value.isBool())
        notACase();
    return value.toBool();
}

// A word of two the key may hold; `first` when absent.
bool secondWordAt(const QJsonObject& object, const QString& key, const QString& first,
                  const QString& second)
{
    const QString word = stringAt(object, key);
    if (!word.isEmpty() && word != first && word != second) {
        throw CaseFormatError(QStringLiteral("el expediente: %1 no es %2 ni %3.")
                                  .arg(key, first, second)
                                  .toStdString());
    }
    return word == second;
}

borrowing::Dossier dossierAt(const QJsonObject& root)
{
    const QJsonObject o = objectAt(root, DossierKey);
    const auto figure = [&o](const char* key) {
        return amountAt(o, QLatin1String(key),
                        QLatin1String(key) + QStringLiteral(" del expediente"));
    };
    borrowing::Dossier d;
    d.subject = stringAt(o, QStringLiteral("objeto"));
    d.purpose = secondWordAt(o, QStringLiteral("finalidad"), QStringLiteral("inversiones"),
                             QStringLiteral("sustitucion"))
                    ? borrowing::Purpose::Refinancing
                    : borrowing::Purpose::Investment;
    d.budget = secondWordAt(o, QStringLiteral("presupuesto"), QStringLiteral("aprobado"),
                            QStringLiteral("prorrogado"))
                   ? borrowing::BudgetState::Extended
                   : borrowing::BudgetState::Approved;
    d.foreseen = boolAt(o, QStringLiteral("prevista"));
    d.ordinaryResources = figure("recursos");
    d.arrangedThisYear = figure("concertadas");
    d.stability = figure("estabilidad");
    d.meetsSpendingRule = boolAt(o, QStringLiteral("reglagasto"));
    d.paymentPeriod = figure("pmp");
    d.controller = stringAt(o, QStringLiteral("interventor"));
    d.place = stringAt(o, QStringLiteral("lugar"));
    return d;
}

QString dossierJson(const borrowing::Dossier& d)
{
    const auto boolean = [](bool b) {
        return b ? QStringLiteral("true") : QStringLiteral("false");
    };
    const auto amount = [](Amount x) { return quoted(amountToText(x)); };
    return inlineObject(
        {member(QStringLiteral("objeto"), quoted(d.subject)),
         member(QStringLiteral("finalidad"), quoted(d.purpose == borrowing::Purpose::Refinancing
                                                        ? QStringLiteral("sustitucion")
                                                        : QStringLiteral("inversiones"))),
         member(QStringLiteral("presupuesto"),
                quoted(d.budget == borrowing::BudgetState::Extended ? QStringLiteral("prorrogado")
                                                                    : QStringLiteral("aprobado"))),
         member(QStringLiteral("prevista"), boolean(d.foreseen)),
         member(QStringLiteral("recursos"), amount(d.ordinaryResources)),
         member(QStringLiteral("concertadas"), amount(d.arrangedThisYear)),
         member(QStringLiteral("estabilidad"), amount(d.stability)),
         member(QStringLiteral("reglagasto"), boolean(d.meetsSpendingRule)),
         member(QStringLiteral("pmp"), amount(d.paymentPeriod)),
         member(QStringLiteral("interventor"), quoted(d.controller)),
         member(QStringLiteral("lugar"), quoted(d.place))});
}

void checkFormatAndVersion(const QJsonObject& root)
{
    if (root.value(QStringLiteral("formato")) != QJsonValue(Format))
        notACase();
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (version.isUndefined())
        return;
    if (!version.isDouble())
        notACase();
    if (version.toDouble() > Version)
        throw CaseFormatError("lo creó una versión posterior del programa.");
    if (version.toDouble() != Version)
        notACase();
}

QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
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
    QStringList members{member(QStringLiteral("formato"), quoted(Format)),
                        member(QStringLiteral("version"), QString::number(Version))};
    QStringList entity;
    if (!c.entityName.isEmpty())
        entity << member(QStringLiteral("nombre"), quoted(c.entityName));
    if (!c.entityProvince.isEmpty())
        entity << member(QStringLiteral("provincia"), quoted(c.entityProvince));
    if (!entity.isEmpty())
        members << member(QStringLiteral("entidad"), inlineObject(entity));
    if (!c.limitText.isEmpty())
        members << member(QStringLiteral("limite"), quoted(c.limitText));

    QStringList amounts;
    for (const borrowing::FigureField& field : borrowing::FigureFields) {
        amounts << QStringLiteral("    ") + member(QLatin1String(field.name),
                                                   quoted(amountToText(c.figures.*field.member)));
    }
    members << member(QStringLiteral("importes"), QStringLiteral("{\n") +
                                                      amounts.join(QStringLiteral(",\n")) +
                                                      QStringLiteral("\n  }"));
    members << member(
        QStringLiteral("calculadora"),
        inlineObject(
            {member(CapitalKey, quoted(amountToText(c.plannedLoan.capital))),
             member(RateKey, quoted(amountToText(c.plannedLoan.rate))),
             member(YearsKey, quoted(amountToText(c.plannedLoan.years))),
             member(QStringLiteral("aceptada"),
                    c.plannedLoan.accepted ? QStringLiteral("true") : QStringLiteral("false")),
             member(MaximumRateKey, quoted(amountToText(c.plannedLoan.maximumRate)))}));
    members << member(QStringLiteral("evolucion"),
                      inlineObject({member(GrowthKey, quoted(amountToText(c.revenueGrowth)))}));
    // Written once there is something to state, so that older cases save as they did.
    if (!(c.dossier == borrowing::Dossier{}))
        members << member(DossierKey, dossierJson(c.dossier));
    if (!c.loans.empty()) {
        QStringList loans;
        for (const borrowing::Loan& loan : c.loans) {
            QStringList figures{member(EntityKey, quoted(loan.lender)),
                                member(LoanCapitalKey, quoted(amountToText(loan.capital))),
                                member(LoanRateKey, quoted(amountToText(loan.rate))),
                                member(LoanYearsKey, quoted(amountToText(loan.years)))};
            // How a loan counts is written only where it is not an own loan's, as older
            // cases hold them.
            const borrowing::Loan own;
            if (loan.kind != own.kind) {
                figures << member(LoanKindKey,
                                  quoted(KindWords[static_cast<std::size_t>(loan.kind)]));
            }
            if (loan.guaranteedShare != own.guaranteedShare)
                figures << member(LoanShareKey, quoted(amountToText(loan.guaranteedShare)));
            if (loan.mortgaged != own.mortgaged)
                figures << member(LoanMortgageKey, quoted(amountToText(loan.mortgaged)));
            if (!loan.holder.isEmpty())
                figures << member(LoanHolderKey, quoted(loan.holder));
            loans << QStringLiteral("    ") + inlineObject(figures);
        }
        members << member(LoansKey, QStringLiteral("[\n") + loans.join(QStringLiteral(",\n")) +
                                        QStringLiteral("\n  ]"));
    }
    if (!c.entities.empty()) {
        QStringList entities;
        for (const borrowing::DependentEntity& e : c.entities) {
            const bool market = e.kind == borrowing::EntityKind::Market;
            entities << QStringLiteral("    ") +
                            inlineObject({member(EntityNameKey, quoted(e.name)),
                                          member(EntityKindKey,
                                                 quoted(market ? MarketWord : AdministrativeWord)),
                                          member(RevenueKey, quoted(amountToText(e.revenue))),
                                          market ? member(ResultKey, quoted(amountToText(e.result)))
                                                 : member(ExpenditureKey,
                                                          quoted(amountToText(e.expenditure))),
                                          member(TransfersKey, quoted(amountToText(e.transfers)))});
        }
        members << member(EntitiesKey, QStringLiteral("[\n") +
                                           entities.join(QStringLiteral(",\n")) +
                                           QStringLiteral("\n  ]"));
    }
    return (QStringLiteral("{\n  ") + members.join(QStringLiteral(",\n  ")) +
            QStringLiteral("\n}\n"))
        .toUtf8();
}

Case caseFromJson(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        notACase();
    const QJsonObject root = document.object();
    checkFormatAndVersion(root);

    Case c;
    const QJsonObject entity = objectAt(root, QStringLiteral("entidad"));
    c.entityName = stringAt(entity, QStringLiteral("nombre"));
    c.entityProvince = stringAt(entity, QStringLiteral("provincia"));

    const QJsonValue limit = root.value(QStringLiteral("limite"));
    if (!limit.isUndefined()) {
        c.limitText = limit.toString();
        if (!limit.isString() || (!c.limitText.isEmpty() && !amount::parseInteger(c.limitText)))
            throw CaseFormatError("el límite de endeudamiento no es válido.");
    }

    const QJsonObject amounts = objectAt(root, QStringLiteral("importes"));
    for (const borrowing::FigureField& field : borrowing::FigureFields)
        c.figures.*field.member = amountAt(amounts, QLatin1String(field.name));

    const QJsonObject loan = objectAt(root, QStringLiteral("calculadora"));
    c.plannedLoan.capital = amountAt(loan, CapitalKey);
    c.plannedLoan.rate = amountAt(loan, RateKey);
    c.plannedLoan.years = amountAt(loan, YearsKey);
    const QJsonValue accepted = loan.value(QStringLiteral("aceptada"));
    if (!accepted.isUndefined() && !accepted.isBool())
        notACase();
    c.plannedLoan.accepted = accepted.toBool();
    c.plannedLoan.maximumRate = amountAt(loan, MaximumRateKey);
    c.revenueGrowth = amountAt(objectAt(root, QStringLiteral("evolucion")), GrowthKey);
    c.dossier = dossierAt(root);
    c.loans = loansAt(root);
    c.entities = entitiesAt(root);
    return c;
}

Case readCaseFile(const QString& path)
{
    const auto fail = [&](const std::exception& e) {
        throw std::runtime_error(QStringLiteral("No se puede abrir \"%1\": %2")
                                     .arg(nameOf(path), QString::fromUtf8(e.what()))
                                     .toStdString());
    };
    try {
        Case c = caseFromJson(userfile::readUserFile(path, MaxFileSize));
        borrowing::checkCase(c);
        return c;
    } catch (const CaseFormatError& e) {
        fail(e);
    } catch (const borrowing::InvalidInput& e) {
        fail(e);
    } catch (const userfile::FileError& e) {
        fail(e);
    }
    return {};
}

void writeCaseFile(const QString& path, const Case& c)
{
    try {
        userfile::writeUserFile(path, caseToJson(c));
    } catch (const userfile::FileError& e) {
        throw std::runtime_error(QStringLiteral("No se puede guardar \"%1\": %2")
                                     .arg(nameOf(path), QString::fromUtf8(e.what()))
                                     .toStdString());
    }
}

} // namespace casefile
