// FormatSettings: the locale facts the engine formats numbers, dates and times with.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace templating {

// Texts are UTF-8.
struct FormatSettings
{
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDateFormat = "dd/mm/yyyy";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "hh:nn";
    std::string longTimeFormat = "hh:nn:ss";
    std::string timeAmString = "AM";
    std::string timePmString = "PM";
    // Sunday first.
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::string currencyString = "$";
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int currencyFormat = 0;
    int currencyDecimals = 2;

    // The settings of the C library's current locale: numbers from LC_NUMERIC, the currency
    // from LC_MONETARY, dates, times and their names from LC_TIME, converted from the locale's
    // character set. A separator that is not one byte in UTF-8 is a blank.
    static FormatSettings fromCLocale();
};

// Text in a character set as the C library names it ("ISO-8859-15") in UTF-8; "?" for what the
// character set cannot decode, and the text unchanged when the character set is unknown.
std::string toUtf8(std::string_view text, const std::string& codeset);

} // namespace templating
