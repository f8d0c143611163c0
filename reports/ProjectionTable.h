// The debt year by year as the dialog, the report and a spreadsheet show it.
#pragma once

#include "NumberFormat.h"
#include "Projection.h"

#include <QByteArray>
#include <QStringList>

namespace reports {

// The columns' headings, year first.
const QStringList& projectionHeadings();

// A row of texts a year: the year, both annuities, the live capital and the revenue with two
// decimals, and the ratio and the financial burden in percent with two decimals ("—" without
// revenue).
QList<QStringList> projectionRows(const borrowing::Projection& projection,
                                  amount::Separators separators);

// "Situación actual: capital vivo computable 1.290.000,00, ingresos corrientes computables
// 980.000,00, endeudamiento 131,63 %."
QString currentSituation(const borrowing::Projection& projection, amount::Separators separators);

// The table as a spreadsheet in Spain reads it: UTF-8 with a byte-order mark, ";" between
// fields, a decimal comma and no thousands separator, one heading line.
QByteArray projectionCsv(const borrowing::Projection& projection);

} // namespace reports
