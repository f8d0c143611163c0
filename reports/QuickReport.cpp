// The lines of the quick plain-text report.
#include "QuickReport.h"

namespace reports {

namespace {

const QString Blank = QStringLiteral(" ");
const QString ForThisPoint = QStringLiteral("para este punto del Art. 53 del TRLHL");

// A rule of hyphens, optionally followed by one space.
QString rule(int length, bool trailingSpace = true)
{
    return QString(length, u'-') + (trailingSpace ? Blank : QString());
}

// The gross- or net-savings paragraph: one line when positive (zero included), else three.
QStringList savingsParagraph(const QString& savings, Amount value)
{
    if (value >= 0) {
        return {QStringLiteral("* Como el %1 es Positivo, en principio no es necesaria "
                               "autorización,")
                    .arg(savings)};
    }
    return {QStringLiteral("* Como el %1 es Negativo, será necesario acompañar la solicitud ")
                .arg(savings),
            QStringLiteral("de autorización del préstamo por parte del órgano competente,de un "
                           "plan "),
            QStringLiteral("de saneamiento de la entidad para un periodo no superior a 3 años,")};
}

QString burdenExplanation(const QString& euros)
{
    return QStringLiteral("Es decir, ") + euros +
           QStringLiteral(" Euros de cada 6.010,12 de ingresos se destinan");
}

} // namespace

QStringList quickReportLines(const ReportFigures& f)
{
    QStringList lines;
    lines << f.entityName + u'(' + f.entityProvince + u')' << Blank;
    if (f.plannedAnnuity.value > 0 && f.loanAccepted) {
        lines << QStringLiteral("CALCULOS PARA FORMALIZACION DE OPERACION DE CREDITO") << rule(51)
              << Blank << QStringLiteral("PRESTAMO SOLICITADO: ") + f.loanCapital
              << QStringLiteral("INTERES DE: ") + f.loanRate + u'%'
              << QStringLiteral("PLAZO DE AMORTIZACION: ") + f.loanYears + QStringLiteral(" años.")
              << QStringLiteral("Cuota Mensual de : ") + f.monthlyPayment +
                     QStringLiteral(" Capital + Intereses.")
              << QStringLiteral("Cuota Anual de : ") + f.yearlyPayment +
                     QStringLiteral(" Capital + Intereses.")
              << Blank;
    }
    lines << QStringLiteral("D E R E C H O S  Y  O B L I G A C I O N E S") << rule(43, false)
          << QStringLiteral("Derechos Reconocidos Netos (Cap. I al V) = ") + f.totalRevenue
          << QStringLiteral("Obligaciones Reconocidos Netas (Cap. I, II y IV) = ") +
                 f.totalExpenditure
          << Blank << QStringLiteral("D E U D A   A C T U A L") << rule(24)
          << QStringLiteral("Anualidad de préstamos actuales = ") + f.existingAnnuity << Blank
          << QStringLiteral("D E U D A    A    C O N T R A E R") << rule(33)
          << QStringLiteral("Anualidad de la Nueva Operación = ") + f.plannedAnnuity.text << Blank
          << QStringLiteral("D E U D A    T O T A L") << rule(23)
          << QStringLiteral("Total de Capitales Vivos en Préstamos = ") + f.loansCapital
          << QStringLiteral("Incluida la nueva Operación") << Blank
          << QStringLiteral("------------- R E S U L T A D O S -------------") << Blank
          << QStringLiteral("CARGA FINANCIERA ACUMULADA ANTERIOR: ") + f.existingBurden + u'%'
          << rule(51) << burdenExplanation(f.existingBurdenPerUnit)
          << QStringLiteral("a pagar los costes de las operaciones de préstamos vigentes.") << Blank
          << QStringLiteral("CARGA FINANCIERA NUEVO PRESTAMO: ") + f.plannedBurden + u'%'
          << rule(51) << burdenExplanation(f.plannedBurdenPerUnit)
          << QStringLiteral("a pagar los costes de la nueva operación de préstamo.") << Blank
          << QStringLiteral("CARGA FINANCIERA ACUMULADA TOTAL: ") + f.totalBurden + u'%' << rule(51)
          << burdenExplanation(f.totalBurdenPerUnit)
          << QStringLiteral("a pagar los costes del total de las operaciones de préstamos "
                            "vigentes y proyectadas.")
          << Blank << rule(51) << QStringLiteral("AHORRO BRUTO: ") + f.grossSavings.text
          << QStringLiteral("Ingresos Reconocidos Netos - Pagos Reconocidos Netos") << Blank
          << rule(51) << QStringLiteral("AHORRO NETO: ") + f.netSavings.text
          << QStringLiteral("Ahorro Bruto - Anualidad total de los Préstamos.(vigentes y nuevos)")
          << Blank << QStringLiteral("SOLICITUD DE AUTORIZACIONES (Art. 53. TRLHL)") << rule(45)
          << Blank;
    lines << savingsParagraph(QStringLiteral("Ahorro Bruto"), f.grossSavings.value) << ForThisPoint;
    lines << savingsParagraph(QStringLiteral("Ahorro Neto"), f.netSavings.value) << ForThisPoint;
    lines << Blank
          << QStringLiteral("Como ") + f.debtLimit.text + QStringLiteral(" Correspondiente al ") +
                 f.maxDebtPercentText + QStringLiteral("% de los Derechos Reconocidos Netos ")
          << QStringLiteral("Es ") + f.comparison
          << f.totalCapital.text +
                 QStringLiteral(" Correspondiente al total de capitales vivos pendientes")
          << QStringLiteral("incluidas todas la operaciones de préstamos vigentes y proyectadas.")
          << (f.debtLimit.value >= f.totalCapital.value
                  ? QStringLiteral("No será necesaria la autorización del órgano competente,")
                  : QStringLiteral("Será necesaria la autorización del órgano competente,"))
          << ForThisPoint;
    return lines;
}

} // namespace reports
