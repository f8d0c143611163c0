// The financial recovery plan as the dialog and the reports show it: its table a year a row and
// the sentences that say whether it brings net savings to zero.
#pragma once

#include "NumberFormat.h"
#include "RecoveryPlan.h"

#include <QStringList>

namespace reports {

// The columns' headings, year first.
const QStringList& planHeadings();

// A row of texts a year: the year, then revenue, spending, gross savings, the loans in force's
// annuity, net savings and net savings with the new operation, with two decimals.
QList<QStringList> planRows(const borrowing::PlanOutcome& plan, amount::Separators separators);

// Whether the plan brings net savings to zero and when ("El plan ajusta a cero el ahorro neto
// en el año 2 (art. 53.1 TRLHL).") or what its last year lacks; then net savings of its last
// year with the new operation.
QStringList planSentences(const borrowing::PlanOutcome& plan, amount::Separators separators);

// "El ahorro neto no es negativo: no precisa plan de saneamiento."
QString planNotNeededText();

// "Plan de saneamiento financiero: 3 años."
QString planYearsText(int years);

} // namespace reports
