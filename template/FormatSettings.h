// FormatSettings: the locale facts the engine formats numbers, dates and times with.
#pragma once

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

} // namespace templating
