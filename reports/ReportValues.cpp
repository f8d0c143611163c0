// The texts the reports show of an assessed case, by the full report's tag names, worked out
// once for a report.
#include "ReportValues.h"

#include "CaseFields.h"
#include "PlanTable.h"
#include "Wording.h"

#include <stdexcept>

namespace reports {

namespace {

QString sign(Amount value)
{
    return value >= 0 ? QStringLiteral("positivo") : QStringLiteral("negativo");
}

} // namespace

QString limitText(const borrowing::Case& c)
{
    return c.limitText.isEmpty() ? QStringLiteral("0") : c.limitText;
}

ReportValues::ReportValues(const borrowing::Assessment& a, amount::Separators separators,
                           const QDate& today)
    : m_assessment(a), m_separators(separators)
{
    const auto put = [this](std::string_view tag, const QString& text) {
        m_texts[tag] = text.toStdString();
    };
    // The fields' own texts and figures, each as its field shows it.
    const auto putFields = [&](const auto& fields, const auto& part) {
        for (const auto& field : fields) {
            if (field.tag)
                put(field.tag, fieldText(field, part, separators));
        }
    };
    const borrowing::Case& c = a.shown;
    const borrowing::Indicators& r = a.indicators;
    putFields(borrowing::FigureFields, c.figures);
    putFields(borrowing::IndicatorFields, r);
    putFields(borrowing::PlannedLoanFields, c.plannedLoan);
    putFields(borrowing::DossierFields, c.dossier);
    putFields(borrowing::StabilityFields, c.stability);
    putFields(borrowing::EvolutionFields, c.evolution);
    putFields(borrowing::PlanFields, c.plan);

    put("Entidad", c.entityName);
    put("Provincia", c.entityProvince);
    put("plazoamortizacion", amountText(c.plannedLoan.years, separators, borrowing::YearsDecimals) +
                                 QStringLiteral(" años"));
    put("cuotamensual", amountText(a.quote.monthlyPayment, separators));
    put("cuotaanual", amountText(a.quote.yearlyPayment, separators));
    put("vidamedia", amountText(a.quote.averageLife, separators));
    put("prudenciafinanciera", prudenceText(a.prudent));
    put("sinoahorrobruto", yesNoText(r.grossSavings < 0));
    put("sinoahorroneto", yesNoText(r.netSavings < 0));
    put("signoahorrobruto", sign(r.grossSavings));
    put("signoahorroneto", sign(r.netSavings));
    put("tantoporciento", limitText(c));
    put("mayoromenor", comparisonText(r.comparison));
    put("sinoporciento", yesNoText(!(r.debtLimit >= r.totalCapital)));
    put("ratioendeudamiento", percentText(a.verdict.ratio, separators));
    put("regimenvigente", verdictText(a.verdict));
    put("capacidadlibre", capacityText(a.capacities.free, separators));
    put("capacidadmaxima", capacityText(a.capacities.withAuthorisation, separators));
    put("evolucion75", projectionSentence(a.projection));
    const QStringList plan = planSentences(a.plan, separators);
    put("planajuste", plan.value(0));
    put("planconoperacion", plan.value(1));
    // The entity's own net savings, which the group's consolidate.
    put("ahorronetoentidad", amountText(a.group.hasDependents() ? a.group.rows.front().netSavings
                                                                : r.computableNetSavings,
                                        separators));

    // The Intervención's report.
    const borrowing::Dossier& d = c.dossier;
    put("fecha", longDate(today));
    put("lugarfecha", placeAndDateText(d.place, today));
    put("estabilidad", capacityStatementText(a.stability, separators));
    put("organocompetente", decidingBodyText(a.competence.body));
    put("operacionesejercicio", amountText(a.competence.operations, separators));
    put("diezporcientorecursos", amountText(a.competence.tenPercentOfResources, separators));
    put("presupuestotexto", d.budget == borrowing::BudgetState::Extended
                                ? extendedBudgetText()
                                : QStringLiteral("Presupuesto del ejercicio aprobado."));
    put("reglavigente", ruleExplanation());
    put("refinanciacion", refinancingText(d.purpose));
}

std::optional<std::string> ReportValues::tagValue(std::string_view tag) const
{
    const auto found = m_texts.find(tag);
    if (found == m_texts.end())
        return std::nullopt;
    return found->second;
}

QString ReportValues::text(std::string_view tag) const
{
    const auto found = m_texts.find(tag);
    if (found == m_texts.end())
        throw std::logic_error("no report text for " + std::string(tag));
    return QString::fromStdString(found->second);
}

} // namespace reports
