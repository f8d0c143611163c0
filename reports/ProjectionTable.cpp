// The debt year by year as the dialog, the report and a spreadsheet show it.
#include "ProjectionTable.h"

#include "Wording.h"

namespace reports {

using amount::Amount;

namespace {

// A figure of the table with two decimals in the format given.
QString cellText(Amount x, amount::NumberFormat format, amount::Separators separators)
{
    return amount::formatValue(x, borrowing::AmountDecimals, format, separators);
}

QString cellText(const std::optional<Amount>& x, amount::NumberFormat format,
                 amount::Separators separators, const QString& none)
{
    return x ? cellText(*x, format, separators) : none;
}

QList<QStringList> rows(const borrowing::Projection& projection, amount::NumberFormat format,
                        amount::Separators separators, const QString& none)
{
    QList<QStringList> rows;
    for (const borrowing::ProjectionYear& y : projection.years) {
        rows << QStringList{QString::number(y.year),
                            cellText(y.existingAnnuity, format, separators),
                            cellText(y.plannedAnnuity, format, separators),
                            cellText(y.capital, format, separators),
                            cellText(y.revenue, format, separators),
                            cellText(y.ratio, format, separators, none),
                            cellText(y.burden, format, separators, none)};
    }
    return rows;
}

} // namespace

const QStringList& projectionHeadings()
{
    static const QStringList headings{QStringLiteral("Año"),
                                      QStringLiteral("Anualidad préstamos vigentes"),
                                      QStringLiteral("Anualidad nueva operación"),
                                      QStringLiteral("Capital vivo a 31/12"),
                                      QStringLiteral("Ingresos corrientes"),
                                      QStringLiteral("Endeudamiento (%)"),
                                      QStringLiteral("Carga financiera (%)")};
    return headings;
}

QList<QStringList> projectionRows(const borrowing::Projection& projection,
                                  amount::Separators separators)
{
    return rows(projection, amount::NumberFormat::Thousands, separators, QStringLiteral("—"));
}

QString currentSituation(const borrowing::Projection& projection, amount::Separators separators)
{
    const borrowing::ProjectionYear& now = projection.now;
    return QStringLiteral("Situación actual: capital vivo computable %1, ingresos corrientes "
                          "computables %2, endeudamiento %3.")
        .arg(amountText(now.capital, separators), amountText(now.revenue, separators),
             percentText(now.ratio, separators));
}

QByteArray projectionCsv(const borrowing::Projection& projection)
{
    const amount::Separators spreadsheet{u',', u'.'};
    QString csv = projectionHeadings().join(u';') + QStringLiteral("\r\n");
    for (const QStringList& row :
         rows(projection, amount::NumberFormat::Standard, spreadsheet, QString()))
        csv += row.join(u';') + QStringLiteral("\r\n");
    return "\xEF\xBB\xBF" + csv.toUtf8();
}

} // namespace reports
