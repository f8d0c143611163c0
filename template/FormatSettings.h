// The locale facts the engine formats with, and its number and date-time patterns.
#pragma once

#include <cstdint>
#include <string>

struct TFormatSettings
{
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string CurrencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int CurrencyFormat = 0;
    int CurrencyDecimals = 2;

    // The settings of the C library's current locale.
    static TFormatSettings FromCLocale();
};

// A number through a pattern: "0" and "#" digit placeholders, "," grouping, "." decimal
// point, literal text in quotes, sections ";" (positive;negative;zero), exponent "E+"/"E-".
std::string FormatFloat(const std::string& pattern, long double value,
                        const TFormatSettings& settings);
// The general number format with at most `precision` significant digits.
std::string FormatGeneral(long double value, int precision, const TFormatSettings& settings);
// The locale's currency format with its currency decimals.
std::string FormatCurrency(long double value, const TFormatSettings& settings);

// A date-time (days since 30 December 1899) through a pattern: d dd ddd dddd, m mm mmm mmmm,
// yy yyyy, h hh, n nn, s ss, am/pm, "/" and ":" as the locale's separators, quoted literals.
// An empty pattern is the short date, then the long time unless it is exactly midnight.
std::string FormatDateTime(const std::string& pattern, long double days,
                           const TFormatSettings& settings);

// Days since 30 December 1899 of a calendar date.
long double EncodeDate(int year, int month, int day);
