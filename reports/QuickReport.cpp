// The lines of the quick plain-text report.
#include "QuickReport.h"

#include "PlanTable.h"
#include "Wording.h"

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

QStringList quickReportLines(const ReportValues& v)
{
    const borrowing::Case& c = v.assessment().shown;
    const borrowing::Indicators& r = v.assessment().indicators;
    QStringList lines;
    lines << c.entityName + u'(' + c.entityProvince + u')' << Blank;
    if (c.figures.plannedAnnuity > 0 && c.plannedLoan.accepted) {
        lines << QStringLiteral("CALCULOS PARA FORMALIZACION DE OPERACION DE CREDITO") << rule(51)
              << Blank << QStringLiteral("PRESTAMO SOLICITADO: ") + v.text("prestamosolicitado")
              << QStringLiteral("INTERES DE: ") + v.text("tipointeres") + u'%'
              << QStringLiteral("PLAZO DE AMORTIZACION: ") + v.text("plazoamortizacion") + u'.'
              << QStringLiteral("Cuota Mensual de : ") + v.text("cuotamensual") +
                     QStringLiteral(" Capital + Intereses.")
              << QStringLiteral("Cuota Anual de : ") + v.text("cuotaanual") +
                     QStringLiteral(" Capital + Intereses.")
              << Blank;
    }
    lines << QStringLiteral("D E R E C H O S  Y  O B L I G A C I O N E S") << rule(43, false)
          << QStringLiteral("Derechos Reconocidos Netos (Cap. I al V) = ") + v.text("derechosnetos")
          << QStringLiteral("Obligaciones Reconocidos Netas (Cap. I, II y IV) = ") +
                 v.text("obligacionesnetas")
          << Blank << QStringLiteral("D E U D A   A C T U A L") << rule(24)
          << QStringLiteral("Anualidad de préstamos actuales = ") + v.text("deudaactual") << Blank
          << QStringLiteral("D E U D A    A    C O N T R A E R") << rule(33)
          << QStringLiteral("Anualidad de la Nueva Operación = ") + v.text("deudaacontraer");
    if (const auto& mismatch = v.assessment().annuityMismatch)
        lines << annuityMismatchText(*mismatch, v.separators());
    lines << Blank << QStringLiteral("D E U D A    T O T A L") << rule(23)
          << QStringLiteral("Total de Capitales Vivos en Préstamos = ") + v.text("deudatotal")
          << QStringLiteral("Incluida la nueva Operación") << Blank
          << QStringLiteral("------------- R E S U L T A D O S -------------") << Blank
          << QStringLiteral("CARGA FINANCIERA ACUMULADA ANTERIOR: ") + v.text("cargafanterior") +
                 u'%'
          << rule(51) << burdenExplanation(v.text("euroscfanterior"))
          << QStringLiteral("a pagar los costes de las operaciones de préstamos vigentes.") << Blank
          << QStringLiteral("CARGA FINANCIERA NUEVO PRESTAMO: ") + v.text("cargafnueva") + u'%'
          << rule(51) << burdenExplanation(v.text("euroscfnueva"))
          << QStringLiteral("a pagar los costes de la nueva operación de préstamo.") << Blank
          << QStringLiteral("CARGA FINANCIERA ACUMULADA TOTAL: ") + v.text("cargaftotal") + u'%'
          << rule(51) << burdenExplanation(v.text("euroscftotal"))
          << QStringLiteral("a pagar los costes del total de las operaciones de préstamos "
                            "vigentes y proyectadas.")
          << Blank << rule(51) << QStringLiteral("AHORRO BRUTO: ") + v.text("ahorrobruto")
          << QStringLiteral("Ingresos Reconocidos Netos - Pagos Reconocidos Netos") << Blank
          << rule(51) << QStringLiteral("AHORRO NETO: ") + v.text("ahorroneto")
          << QStringLiteral("Ahorro Bruto - Anualidad total de los Préstamos.(vigentes y nuevos)")
          << Blank << QStringLiteral("SOLICITUD DE AUTORIZACIONES (Art. 53. TRLHL)") << rule(45)
          << Blank;
    lines << savingsParagraph(QStringLiteral("Ahorro Bruto"), r.grossSavings) << ForThisPoint;
    lines << savingsParagraph(QStringLiteral("Ahorro Neto"), r.netSavings) << ForThisPoint;
    lines << Blank
          << QStringLiteral("Como ") + v.text("porcientoderechos") +
                 QStringLiteral(" Correspondiente al ") + v.text("tantoporciento") +
                 QStringLiteral("% de los Derechos Reconocidos Netos ")
          << QStringLiteral("Es ") + v.text("mayoromenor")
          << amountText(r.totalCapital, v.separators()) +
                 QStringLiteral(" Correspondiente al total de capitales vivos pendientes")
          << QStringLiteral("incluidas todas la operaciones de préstamos vigentes y proyectadas.")
          << (r.debtLimit >= r.totalCapital
                  ? QStringLiteral("No será necesaria la autorización del órgano competente,")
                  : QStringLiteral("Será necesaria la autorización del órgano competente,"))
          << ForThisPoint;
    if (v.assessment().plan.reported) {
        const borrowing::PlanOutcome& plan = v.assessment().plan;
        lines << Blank << planYearsText(static_cast<int>(plan.years.size()))
              << planSentences(plan, v.separators());
    }
    return lines;
}

} // namespace reports
