// The lines of the quick plain-text report.
#pragma once

#include "ReportFigures.h"

#include <QStringList>

namespace reports {

QStringList quickReportLines(const ReportFigures& figures);

} // namespace reports
