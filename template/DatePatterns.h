// Date-times as text through format patterns, and the calendar they count days in.
#pragma once

#include "FormatSettings.h"

#include <string>

namespace templating {

// A date-time (days since 30 December 1899) through a pattern: d dd ddd dddd, m mm mmm mmmm,
// yy yyyy, h hh, n nn, s ss, am/pm, "/" and ":" as the locale's separators, quoted literals.
// An empty pattern is the short date, then the long time unless it is exactly midnight.
std::string formatDateTime(const std::string& pattern, long double days,
                           const FormatSettings& settings);

// Days since 30 December 1899 of a calendar date.
long double encodeDate(int year, int month, int day);

} // namespace templating
