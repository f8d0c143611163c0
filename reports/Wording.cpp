// Every sentence the user reads about a case, and its numbers as the windows show them.
#include "Wording.h"

#include <array>

namespace reports {

namespace {

const QString None = QStringLiteral("—");

QString aboveText(int percent)
{
    return QStringLiteral("endeudamiento superior al %1 %").arg(percent);
}

} // namespace

QString amountText(Amount x, amount::Separators separators, int decimals)
{
    return amount::formatValue(x, decimals, amount::NumberFormat::Thousands, separators);
}

QString yearsText(Amount years, amount::Separators separators, int decimals)
{
    QString text = amount::formatValue(years, decimals, amount::NumberFormat::Standard, separators);
    if (decimals > 0) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(separators.decimal))
            text.chop(1);
    }
    return text;
}

QString percentText(const std::optional<Amount>& percent, amount::Separators separators)
{
    return percent ? amountText(*percent, separators) + QStringLiteral(" %") : None;
}

QString choiceText(borrowing::ChoiceWords words, int option)
{
    const auto is = [&words](borrowing::ChoiceWords choice) {
        return words.data() == choice.data();
    };
    if (is(borrowing::LoanKindWords))
        return loanKindText(static_cast<borrowing::LoanKind>(option));
    if (is(borrowing::EntityKindWords))
        return entityKindText(static_cast<borrowing::EntityKind>(option));
    if (is(borrowing::PurposeWords))
        return purposeText(static_cast<borrowing::Purpose>(option));
    if (is(borrowing::SpendingRuleWords))
        return spendingRuleText(static_cast<borrowing::SpendingRule>(option));
    return budgetText(static_cast<borrowing::BudgetState>(option));
}

QString spendingRuleText(borrowing::SpendingRule rule)
{
    switch (rule) {
    case borrowing::SpendingRule::NoData:
        break;
    case borrowing::SpendingRule::Met:
        return QStringLiteral("Cumple");
    case borrowing::SpendingRule::Broken:
        return QStringLiteral("No cumple");
    }
    return QStringLiteral("Sin datos");
}

QString yesNoText(bool yes)
{
    return yes ? QStringLiteral("Sí") : QStringLiteral("No");
}

QString loanKindText(borrowing::LoanKind kind)
{
    switch (kind) {
    case borrowing::LoanKind::Own:
        break;
    case borrowing::LoanKind::Guaranteed:
        return QStringLiteral("Avalado");
    case borrowing::LoanKind::ShortTerm:
        return QStringLiteral("Corto plazo");
    }
    return QStringLiteral("Propio");
}

QStringList loanRow(const borrowing::Loan& loan, const borrowing::CountedLoan& counted,
                    const QString& entityName, amount::Separators separators)
{
    QStringList row;
    for (const borrowing::LoanField& field : borrowing::LoanFields) {
        if (field.text == &borrowing::Loan::holder)
            row << (loan.holder.isEmpty() ? entityNameText(entityName) : loan.holder);
        else
            row << (field.appliesTo(loan) ? fieldText(field, loan, separators) : QString());
    }
    return row << amountText(counted.annuity, separators);
}

QString annuityHeading()
{
    return QStringLiteral("Anualidad teórica");
}

QString registerFiguresText(const borrowing::RegisterSummary& summary,
                            const QStringList& dependents, amount::Separators separators)
{
    using borrowing::LoanKind;
    const borrowing::RegisterTotals& totals = summary.of({});
    QStringList kinds;
    const borrowing::KindTotals& own = totals.of(LoanKind::Own);
    const borrowing::KindTotals& guaranteed = totals.of(LoanKind::Guaranteed);
    const borrowing::KindTotals& shortTerm = totals.of(LoanKind::ShortTerm);
    if (own.count > 0) {
        kinds << QStringLiteral("Propios: capital %1, anualidad %2.")
                     .arg(amountText(own.capital, separators), amountText(own.annuity, separators));
    }
    if (guaranteed.count > 0) {
        kinds << QStringLiteral("Avalados: riesgo %1, anualidad %2.")
                     .arg(amountText(guaranteed.debt, separators),
                          amountText(guaranteed.annuity, separators));
    }
    if (shortTerm.count > 0) {
        kinds << QStringLiteral("Corto plazo: capital %1.")
                     .arg(amountText(shortTerm.capital, separators));
    }
    for (const QString& dependent : dependents) {
        const borrowing::RegisterTotals& held = summary.of(dependent);
        if (held.capital == 0 && held.annuity == 0)
            continue;
        kinds << QStringLiteral("%1: deuda %2, anualidad %3.")
                     .arg(dependent, amountText(held.debt(), separators),
                          amountText(held.annuity, separators));
    }
    return kinds.join(u' ');
}

QStringList registerTotalsRow(const borrowing::RegisterTotals& totals,
                              amount::Separators separators)
{
    return {amountText(totals.capital, separators), amountText(totals.annuity, separators)};
}

QString entityKindText(borrowing::EntityKind kind)
{
    return kind == borrowing::EntityKind::Market ? QStringLiteral("Contabilidad empresarial")
                                                 : QStringLiteral("Presupuesto limitativo");
}

QString entityNameText(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("Entidad local") : name;
}

QList<QStringList> groupRows(const borrowing::Group& group, const QString& entityName,
                             const borrowing::Indicators& consolidated,
                             amount::Separators separators)
{
    QList<QStringList> rows;
    if (!group.hasDependents())
        return rows;
    for (const borrowing::GroupRow& row : group.rows) {
        rows << QStringList{
            row.kind ? row.name : entityNameText(entityName),
            entityKindText(row.kind.value_or(borrowing::EntityKind::Administrative)),
            amountText(row.revenue, separators),
            amountText(row.transfers, separators),
            amountText(row.spending, separators),
            amountText(row.annuity, separators),
            amountText(row.netSavings, separators),
            amountText(row.debt, separators)};
    }
    rows << QStringList{QStringLiteral("Consolidado"),
                        QString(),
                        amountText(consolidated.computableRevenue, separators),
                        amountText(group.totalTransfers, separators),
                        QString(),
                        amountText(group.totalAnnuity, separators),
                        amountText(consolidated.computableNetSavings, separators),
                        amountText(consolidated.computableDebt, separators)};
    return rows;
}

QStringList groupWarnings(const borrowing::Group& group, const QString& entityName)
{
    QStringList warnings;
    for (const borrowing::GroupRow& row : group.rows) {
        if (row.netSavings < 0) {
            warnings << QStringLiteral("Ahorro neto negativo en %1: precisa un plan de saneamiento "
                                       "financiero (art. 53.1 TRLHL).")
                            .arg(row.kind ? row.name : entityNameText(entityName));
        }
    }
    return warnings;
}

QString groupCaption(std::size_t dependents)
{
    if (dependents == 0)
        return {};
    return dependents == 1 ? QStringLiteral("Grupo: 1 entidad dependiente")
                           : QStringLiteral("Grupo: %1 entidades dependientes").arg(dependents);
}

QString decidingBodyText(borrowing::DecidingBody body)
{
    switch (body) {
    case borrowing::DecidingBody::PlenaryAbsoluteMajority:
        return QStringLiteral("Órgano competente: Pleno, por mayoría absoluta (art. 47.2.l LBRL)");
    case borrowing::DecidingBody::Mayor:
        return QStringLiteral(
            "Órgano competente: Alcalde-Presidente (art. 21.1.f LBRL y 52.2 TRLHL)");
    case borrowing::DecidingBody::PlenarySimpleMajority:
        break;
    }
    return QStringLiteral("Órgano competente: Pleno, por mayoría simple (art. 22.2.m LBRL)");
}

QString purposeText(borrowing::Purpose purpose)
{
    return purpose == borrowing::Purpose::Refinancing
               ? QStringLiteral("Sustituir operaciones (refinanciación)")
               : QStringLiteral("Financiar inversiones");
}

QString budgetText(borrowing::BudgetState budget)
{
    return budget == borrowing::BudgetState::Extended ? QStringLiteral("Prorrogado")
                                                      : QStringLiteral("Aprobado");
}

QString extendedBudgetText()
{
    return QStringLiteral("Presupuesto prorrogado: solo pueden concertarse operaciones para "
                          "inversiones vinculadas a modificaciones de crédito del art. 177.1, 2, 3 "
                          "y 6 TRLHL (art. 50 TRLHL).");
}

QStringList opinionLines(const borrowing::Assessment& a)
{
    const borrowing::Opinion& o = a.opinion;
    switch (o.kind) {
    case borrowing::Opinion::Kind::Favourable:
        return {QStringLiteral("Conclusión: informe favorable.")};
    case borrowing::Opinion::Kind::ConditionedOnAuthorisation:
        return {QStringLiteral("Conclusión: informe favorable, condicionado a la autorización "
                               "del órgano de tutela financiera.")};
    case borrowing::Opinion::Kind::Unfavourable:
        break;
    }
    QStringList lines{QStringLiteral("Conclusión: informe desfavorable.")};
    if (o.barredByVerdict)
        lines << verdictText(a.verdict) + u'.';
    if (o.barredByExtendedBudget)
        lines << extendedBudgetText();
    if (o.barredByPrudence)
        lines << prudenceText(a.prudent) + u'.';
    return lines;
}

QString longDate(const QDate& date)
{
    static const std::array<const char*, 12> months{
        "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
        "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
    return QStringLiteral("%1 de %2 de %3")
        .arg(date.day())
        .arg(QString::fromLatin1(months[static_cast<std::size_t>(date.month() - 1)]))
        .arg(date.year());
}

QString placeAndDateText(const QString& place, const QDate& date)
{
    const QString when = QStringLiteral("a ") + longDate(date);
    return place.trimmed().isEmpty() ? when
                                     : QStringLiteral("En %1, %2").arg(place.trimmed(), when);
}

QString refinancingText(borrowing::Purpose purpose)
{
    if (purpose != borrowing::Purpose::Refinancing)
        return {};
    return QStringLiteral("Operación de sustitución de operaciones vigentes: no precisa plan de "
                          "saneamiento financiero (art. 53.3 TRLHL), pero debe reducir la carga "
                          "financiera de la entidad.");
}

QString comparisonText(borrowing::Comparison comparison)
{
    switch (comparison) {
    case borrowing::Comparison::Greater:
        return QStringLiteral("Mayor Que");
    case borrowing::Comparison::Less:
        return QStringLiteral("Menor Que");
    case borrowing::Comparison::Equal:
        return QStringLiteral("Igual Que");
    case borrowing::Comparison::None:
        break;
    }
    return {};
}

QString verdictText(const borrowing::Verdict& verdict)
{
    const borrowing::BorrowingRules& rules = borrowing::CurrentRules;
    switch (verdict.outcome) {
    case borrowing::Outcome::NoAuthorisation:
        break;
    case borrowing::Outcome::Authorisation:
        return QStringLiteral("Precisa autorización: ") + aboveText(rules.authorisationAbove);
    case borrowing::Outcome::Forbidden: {
        const QString savings = QStringLiteral("ahorro neto negativo");
        const QString debt = aboveText(rules.forbiddenAbove);
        return QStringLiteral("No puede concertarse: ") +
               (verdict.negativeNetSavings && verdict.debtAboveLimit
                    ? savings + QStringLiteral(" y ") + debt
                : verdict.negativeNetSavings ? savings
                                             : debt);
    }
    }
    return QStringLiteral("No precisa autorización");
}

QString ruleExplanation()
{
    return QStringLiteral(
               "Disposición adicional 14ª del Real Decreto-ley 20/2011, en la redacción de la "
               "disposición final 31ª de la Ley 17/2012: con ahorro neto negativo o un "
               "endeudamiento superior al %1 % de los ingresos corrientes no puede concertarse "
               "la operación; por encima del %2 % precisa autorización. Cifras del último "
               "ejercicio liquidado, incluida la nueva operación.")
        .arg(borrowing::CurrentRules.forbiddenAbove)
        .arg(borrowing::CurrentRules.authorisationAbove);
}

QString capacityText(const borrowing::Capacity& capacity, amount::Separators separators)
{
    return capacity.amount ? amountText(*capacity.amount, separators) : None;
}

QString shortfallText(const borrowing::Capacity& capacity)
{
    const QString withoutCapacity = QStringLiteral("Sin capacidad: ");
    switch (capacity.shortfall) {
    case borrowing::Shortfall::None:
        break;
    case borrowing::Shortfall::NoTerm:
        return QStringLiteral("Indique interés y plazo en la Calculadora de Préstamos");
    case borrowing::Shortfall::NegativeSavings:
        return withoutCapacity + QStringLiteral("ahorro neto negativo");
    case borrowing::Shortfall::Debt:
        return withoutCapacity + aboveText(capacity.percent);
    case borrowing::Shortfall::NegativeSavingsAndDebt:
        return withoutCapacity + QStringLiteral("ahorro neto negativo y ") +
               aboveText(capacity.percent);
    }
    return {};
}

QString yearsAheadText(int years, Numerals numerals)
{
    static const std::array<const char*, 13> words{"cero",  "un",   "dos",   "tres", "cuatro",
                                                   "cinco", "seis", "siete", "ocho", "nueve",
                                                   "diez",  "once", "doce"};
    if (years == 1)
        return QStringLiteral("el próximo año");
    const bool inWords =
        numerals == Numerals::Words && years >= 0 && years < static_cast<int>(words.size());
    const QString count = inWords ? QString::fromLatin1(words[static_cast<std::size_t>(years)])
                                  : QString::number(years);
    return QStringLiteral("los próximos %1 años").arg(count);
}

QString projectionSentence(const borrowing::Projection& projection)
{
    const int threshold = borrowing::CurrentRules.authorisationAbove;
    const QString years =
        yearsAheadText(static_cast<int>(projection.years.size()), Numerals::Words);
    // Without the register its debt, typed as one figure, has no schedule to project.
    if (projection.withoutRegister) {
        return QStringLiteral("Sin el registro de los préstamos vigentes solo se proyecta la nueva "
                              "operación: no se estima la evolución del endeudamiento.");
    }
    if (projection.withinFreeLimitNow) {
        if (projection.yearAboveFreeLimit) {
            return QStringLiteral("El endeudamiento supera el %1 % en el año %2.")
                .arg(threshold)
                .arg(*projection.yearAboveFreeLimit);
        }
        return QStringLiteral("El endeudamiento no supera el %1 % en %2.")
            .arg(threshold)
            .arg(years);
    }
    if (projection.yearWithinFreeLimit)
        return QStringLiteral("El endeudamiento baja del %1 % en el año %2.")
            .arg(threshold)
            .arg(*projection.yearWithinFreeLimit);
    return QStringLiteral("No baja del %1 % en %2.").arg(threshold).arg(years);
}

QString ownFiguresText()
{
    return QStringLiteral("Cifras de la entidad; no incluyen las de sus entes dependientes.");
}

QString capacityStatementText(const borrowing::StabilityStatement& stability,
                              amount::Separators separators)
{
    const QString capacity = amountText(stability.capacity, separators) + QStringLiteral(" €");
    return stability.capacityGiven ? capacity + QStringLiteral(" (dato facilitado)") : capacity;
}

QStringList stabilityLines(const borrowing::StabilityStatement& stability, bool grouped,
                           amount::Separators separators)
{
    QStringList lines;
    if (grouped)
        lines << ownFiguresText();
    if (stability.capacityGiven) {
        lines << QStringLiteral("Capacidad o necesidad de financiación facilitada: %1; se toma "
                                "hasta que consten las cifras de la liquidación.")
                     .arg(capacityStatementText(stability, separators));
    }
    if (stability.withoutCollections && !stability.capacityGiven) {
        lines << QStringLiteral("Sin ajuste por recaudación: no consta la recaudación de los "
                                "capítulos I a III.");
    }
    if (stability.planNeeded) {
        lines << QStringLiteral("Necesidad de financiación: la entidad debe formular un plan "
                                "económico-financiero (art. 21 LOEPSF).");
    }
    if (stability.spendingCut) {
        lines << QStringLiteral("Remanente de tesorería negativo: el Pleno debe reducir gastos del "
                                "nuevo presupuesto en %1 € (art. 193 TRLHL).")
                     .arg(amountText(*stability.spendingCut, separators));
    }
    return lines;
}

QString annuityMismatchText(const borrowing::AnnuityMismatch& mismatch,
                            amount::Separators separators)
{
    return QStringLiteral("La anualidad de la nueva operación (%1 €) no coincide con la de sus "
                          "condiciones (%2 €).")
        .arg(amountText(mismatch.typed, separators), amountText(mismatch.terms, separators));
}

QString prudenceText(const std::optional<bool>& prudent)
{
    if (!prudent)
        return {};
    return *prudent ? QStringLiteral("Cumple el principio de prudencia financiera")
                    : QStringLiteral("No cumple el principio de prudencia financiera: el tipo "
                                     "supera el máximo");
}

} // namespace reports
