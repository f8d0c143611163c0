// The lines of the quick plain-text report.
#pragma once

#include "ReportValues.h"

#include <QStringList>

namespace reports {

// The report's lines for the values of an assessed case.
QStringList quickReportLines(const ReportValues& values);

} // namespace reports
