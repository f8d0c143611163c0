// The financial recovery plan as the dialog and the reports show it: its table a year a row and
// the sentences that say whether it brings net savings to zero.
#include "PlanTable.h"

#include "Wording.h"

namespace reports {

namespace {

// "1 año", "3 años".
QString yearsText(int years)
{
    return years == 1 ? QStringLiteral("1 año") : QStringLiteral("%1 años").arg(years);
}

} // namespace

const QStringList& planHeadings()
{
    static const QStringList headings{QStringLiteral("Año"),
                                      QStringLiteral("Ingresos corrientes"),
                                      QStringLiteral("Gastos corrientes"),
                                      QStringLiteral("Ahorro bruto"),
                                      QStringLiteral("Anualidad préstamos vigentes"),
                                      QStringLiteral("Ahorro neto"),
                                      QStringLiteral("Ahorro neto con la nueva operación")};
    return headings;
}

QList<QStringList> planRows(const borrowing::PlanOutcome& plan, amount::Separators separators)
{
    QList<QStringList> rows;
    for (const borrowing::PlanYear& y : plan.years) {
        QStringList row{QString::number(y.year)};
        for (const amount::Amount figure : {y.revenue, y.spending, y.grossSavings,
                                            y.existingAnnuity, y.netSavings, y.netSavingsWithLoan})
            row << amountText(figure, separators);
        rows << row;
    }
    return rows;
}

QStringList planSentences(const borrowing::PlanOutcome& plan, amount::Separators separators)
{
    if (plan.years.empty())
        return {};
    const borrowing::PlanYear& last = plan.years.back();
    const QString balance =
        plan.balancedFrom
            ? QStringLiteral("El plan ajusta a cero el ahorro neto en el año %1 (art. 53.1 TRLHL).")
                  .arg(*plan.balancedFrom)
            : QStringLiteral("El plan no ajusta a cero el ahorro neto en %1: faltan %2 € de "
                             "medidas en el año %3.")
                  .arg(yearsText(last.year), amountText(plan.shortfall, separators))
                  .arg(last.year);
    return {balance, QStringLiteral("Con la nueva operación, el ahorro neto del año %1 es de %2 €.")
                         .arg(last.year)
                         .arg(amountText(last.netSavingsWithLoan, separators))};
}

QString planNotNeededText()
{
    return QStringLiteral("El ahorro neto no es negativo: no precisa plan de saneamiento.");
}

QString planYearsText(int years)
{
    return QStringLiteral("Plan de saneamiento financiero: %1.").arg(yearsText(years));
}

} // namespace reports
