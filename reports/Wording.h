// Every sentence the user reads about a case, and its numbers as the windows show them.
#pragma once

#include "Assessment.h"
#include "Capacity.h"
#include "CaseFields.h"
#include "Group.h"
#include "Indicators.h"
#include "LoanRegister.h"
#include "NumberFormat.h"
#include "Projection.h"
#include "Verdict.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <type_traits>

namespace reports {

using amount::Amount;

// An amount with `decimals` places, grouped in thousands, as an amount field shows it.
QString amountText(Amount x, amount::Separators separators,
                   int decimals = borrowing::AmountDecimals);
// A percentage with two decimals and " %" ("131,63 %"); "—" when there is none.
QString percentText(const std::optional<Amount>& percent, amount::Separators separators);

// A term in years with at most `decimals` places, as typed: "2,5", "3", "0,04".
QString yearsText(Amount years, amount::Separators separators, int decimals);

// An option of a choice as the windows and the reports name it ("Corto plazo", "Prorrogado").
QString choiceText(borrowing::ChoiceWords words, int option);
// "Cumple", "No cumple", "Sin datos".
QString spendingRuleText(borrowing::SpendingRule rule);
// "Sí" or "No".
QString yesNoText(bool yes);

// A field of a record as the windows and the reports show it: a figure with its decimals, a
// text as it is, an option or a flag in words.
template <typename Part>
QString fieldText(const borrowing::Field<Part>& field, const Part& part,
                  amount::Separators separators)
{
    switch (field.kind) {
    case borrowing::FieldKind::Text:
        return part.*field.text;
    case borrowing::FieldKind::Choice:
        return choiceText(field.words, field.choice(part));
    case borrowing::FieldKind::Flag:
        return yesNoText(part.*field.flag);
    case borrowing::FieldKind::Years:
        return yearsText(part.*field.amount, separators, field.decimals);
    default:
        break;
    }
    return amountText(part.*field.amount, separators, field.decimals);
}

// "Propio", "Avalado", "Corto plazo".
QString loanKindText(borrowing::LoanKind kind);
// The texts of a loan of the register: one for each of its fields, in their table's order
// (empty where its kind does not count the field, the entity's name for its own loans' holder),
// then its annuity as it counts.
QStringList loanRow(const borrowing::Loan& loan, const borrowing::CountedLoan& counted,
                    const QString& entityName, amount::Separators separators);
// The heading of the annuity that follows a loan's fields.
QString annuityHeading();
// The register's totals as its table shows them: capital and annuity.
QStringList registerTotalsRow(const borrowing::RegisterTotals& totals,
                              amount::Separators separators);
// The register as the case counts it, as a line under its table: the totals of each kind of
// the entity's own loans, which stand in its debt figures ("Propios: capital 1.000,00,
// anualidad 120,00. Avalados: riesgo 600,00, anualidad 72,00."), then each dependent entity's
// debt and annuity ("Aguas: deuda 5.000,00, anualidad 500,00."); empty without loans.
QString registerFiguresText(const borrowing::RegisterSummary& summary,
                            const QStringList& dependents, amount::Separators separators);

// "Presupuesto limitativo", "Contabilidad empresarial".
QString entityKindText(borrowing::EntityKind kind);
// The entity's name as the group's table shows it: "Entidad local" while it has none.
QString entityNameText(const QString& name);
// The group's table: a row for the entity itself, one for each dependent entity and one
// "Consolidado" (with the consolidated indicators and the group's sums), each with the entity,
// its kind, current revenue, internal transfers, current expenditure or result, annuity, net
// savings and live debt; nothing without dependent entities.
QList<QStringList> groupRows(const borrowing::Group& group, const QString& entityName,
                             const borrowing::Indicators& consolidated,
                             amount::Separators separators);
// For each entity of the group whose own net savings are negative: "Ahorro neto negativo en
// NAME: precisa un plan de saneamiento financiero (art. 53.1 TRLHL)."
QStringList groupWarnings(const borrowing::Group& group, const QString& entityName);
// "Grupo: 2 entidades dependientes"; empty without any.
QString groupCaption(std::size_t dependents);

// "Órgano competente: Pleno, por mayoría absoluta (art. 47.2.l LBRL)", or the mayor's or the
// plenary's by simple majority.
QString decidingBodyText(borrowing::DecidingBody body);
// "Financiar inversiones", "Sustituir operaciones (refinanciación)".
QString purposeText(borrowing::Purpose purpose);
// "Aprobado", "Prorrogado".
QString budgetText(borrowing::BudgetState budget);
// What an extended budget allows (art. 50 TRLHL).
QString extendedBudgetText();
// The Intervención's conclusion ("Conclusión: informe favorable.") and, for an unfavourable
// one, each reason that makes it so.
QStringList opinionLines(const borrowing::Assessment& assessment);

// A date as a signature gives it: "8 de diciembre de 2026".
QString longDate(const QDate& date);
// Where and when a report is signed: "En Soria, a 8 de diciembre de 2026", or without a place
// "a 8 de diciembre de 2026".
QString placeAndDateText(const QString& place, const QDate& date);
// What the planned operation's purpose asks of the prudence rule: for a refinancing, that no
// financial recovery plan is needed but the burden must fall; empty for investments.
QString refinancingText(borrowing::Purpose purpose);

// "Mayor Que", "Menor Que", "Igual Que"; empty for Comparison::None.
QString comparisonText(borrowing::Comparison comparison);

// The verdict under the rules in force ("Precisa autorización: endeudamiento superior al 75 %").
QString verdictText(const borrowing::Verdict& verdict);
// The line that explains the rules in force, as the page and the report give it.
QString ruleExplanation();

// The capacity as its field shows it: whole euros with two decimals, "—" without a term.
QString capacityText(const borrowing::Capacity& capacity, amount::Separators separators);
// Why there is no capacity ("Sin capacidad: ahorro neto negativo"); empty while there is some.
QString shortfallText(const borrowing::Capacity& capacity);

// How a count is written: in words in a sentence, in figures in a caption.
enum class Numerals : std::uint8_t
{
    Words,
    Figures
};
// The years ahead: "el próximo año", "los próximos diez años" ("los próximos 10 años" in
// figures; in figures too from thirteen on).
QString yearsAheadText(int years, Numerals numerals);

// Where the debt goes in the years projected: from above the threshold of authorisation, when
// it falls back under it ("El endeudamiento baja del 75 % en el año 3.") or that it does not;
// from under it, when it passes it or that it does not; without the register, that there is no
// evolution to tell.
QString projectionSentence(const borrowing::Projection& projection);

// "La anualidad de la nueva operación (38.190,24 €) no coincide con la de sus condiciones
// (42.598,92 €)."
QString annuityMismatchText(const borrowing::AnnuityMismatch& mismatch,
                            amount::Separators separators);

// "Cifras de la entidad; no incluyen las de sus entes dependientes."
QString ownFiguresText();
// The financing capacity (+) or need (−) as the reports state it, with its euro sign:
// "-12.000,50 €", and "(dato facilitado)" after one an older case gave as one figure.
QString capacityStatementText(const borrowing::StabilityStatement& stability,
                              amount::Separators separators);
// What the settlement's stability says, a sentence each: that the figures are the entity's own
// alone (with dependent entities), that without what chapters I to III collected there is no
// adjustment for it, that a need of financing or the rule broken asks an economic-financial
// plan, and the cut a negative cash surplus asks of the new budget.
QStringList stabilityLines(const borrowing::StabilityStatement& stability, bool grouped,
                           amount::Separators separators);

// "Cumple el principio de prudencia financiera", or why not; empty without a maximum.
QString prudenceText(const std::optional<bool>& prudent);

} // namespace reports
