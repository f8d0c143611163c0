// Numbers as text: format patterns, the general format and the locale's currency format.
#pragma once

#include "FormatSettings.h"

#include <string>

namespace templating {

// A number through a pattern: "0" and "#" digit placeholders, "," grouping, "." decimal
// point, literal text in quotes, sections ";" (positive;negative;zero), exponent "E+"/"E-".
std::string formatFloat(const std::string& pattern, long double value,
                        const FormatSettings& settings);
// Significant digits of the general number format when nothing else is asked for.
inline constexpr int GeneralDigits = 15;

// The general number format with at most `precision` significant digits.
std::string formatGeneral(long double value, int precision, const FormatSettings& settings);
// The locale's currency format with its currency decimals.
std::string formatCurrency(long double value, const FormatSettings& settings);

} // namespace templating
