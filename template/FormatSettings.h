// The locale facts the engine formats with, and its number and date-time patterns.
#pragma once

#include <cstdint>
#include <string>

namespace templating {

struct FormatSettings
{
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDateFormat = "dd/mm/yyyy";
    std::string longTimeFormat = "hh:nn:ss";
    std::string currencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int currencyFormat = 0;
    int currencyDecimals = 2;

    // The settings of the C library's current locale.
    static FormatSettings fromCLocale();
};

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

// A date-time (days since 30 December 1899) through a pattern: d dd ddd dddd, m mm mmm mmmm,
// yy yyyy, h hh, n nn, s ss, am/pm, "/" and ":" as the locale's separators, quoted literals.
// An empty pattern is the short date, then the long time unless it is exactly midnight.
std::string formatDateTime(const std::string& pattern, long double days,
                           const FormatSettings& settings);

// Days since 30 December 1899 of a calendar date.
long double encodeDate(int year, int month, int day);

} // namespace templating
