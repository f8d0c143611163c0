// The gauge and the chart of a case drawn off screen for the reports, at print resolution on a
// paper-white palette.
#pragma once

#include "Assessment.h"
#include "FullReport.h"

namespace charts {

// The resolution the pictures are drawn at.
inline constexpr int PrintDpi = 300;

// "graficoendeudamiento", the debt gauge, and "graficoevolucion", the chart of the years ahead,
// as PNG files.
reports::ReportPictures reportPictures(const borrowing::Assessment& assessment);

} // namespace charts
