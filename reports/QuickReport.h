// The lines of the quick plain-text report.
#pragma once

#include "ReportFigures.h"

#include <QStringList>

QStringList QuickReportLines(const TReportFigures& figures);
