// The locale facts the engine formats with, and its number and date-time patterns.
#include "FormatSettings.h"

#include "AsciiText.h"
#include "DigitText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <climits>
#include <clocale>
#include <cmath>
#include <vector>

#include <langinfo.h>

namespace templating {

namespace {

using Digits = decimal::Expansion;
using decimal::roundToDigits;

// The integer digits, then the decimal places after the separator when there are any.
std::string joined(const std::string& integer, const std::string& decimals, char separator)
{
    return decimals.empty() ? integer : integer + separator + decimals;
}

std::string twoDigits(long n)
{
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

constexpr long SecondsPerDay = 24 * 60 * 60;

// 30 December 1899, day 0 of the engine's date-times.
constexpr std::chrono::sys_days DayZero{std::chrono::year{1899} / std::chrono::December / 30};

const std::array<const char*, 12> MonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
const std::array<const char*, 7> DayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};

bool startsWithNoCase(const std::string& s, std::size_t at, const char* prefix)
{
    for (std::size_t i = 0; prefix[i]; ++i) {
        if (at + i >= s.size() || lowerAscii(s[at + i]) != prefix[i])
            return false;
    }
    return true;
}

// Turns a C library date or time format ("%d/%m/%y", "%H:%M:%S") into a pattern.
std::string patternFromStrftime(const char* format, std::string fallback)
{
    if (!format || !*format)
        return fallback;
    std::string pattern;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            pattern += *p;
            continue;
        }
        switch (*++p) {
        case 'd':
            pattern += "dd";
            break;
        case 'e':
            pattern += "d";
            break;
        case 'm':
            pattern += "mm";
            break;
        case 'y':
            pattern += "yy";
            break;
        case 'Y':
            pattern += "yyyy";
            break;
        case 'H':
            pattern += "hh";
            break;
        case 'I':
            pattern += "hh";
            break;
        case 'M':
            pattern += "nn";
            break;
        case 'S':
            pattern += "ss";
            break;
        case 'T':
            pattern += "hh:nn:ss";
            break;
        case 'p':
            pattern += "am/pm";
            break;
        case '\0':
            return pattern;
        default:
            return fallback; // a form patterns cannot express
        }
    }
    return pattern;
}

char firstSeparator(const std::string& pattern, char fallback)
{
    for (const char c : pattern) {
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return c;
    }
    return fallback;
}

} // namespace

FormatSettings FormatSettings::fromCLocale()
{
    FormatSettings s;
    if (const std::lconv* conv = std::localeconv()) {
        if (conv->decimal_point && *conv->decimal_point)
            s.decimalSeparator = *conv->decimal_point;
        if (conv->mon_thousands_sep && *conv->mon_thousands_sep)
            s.thousandSeparator = *conv->mon_thousands_sep;
        if (conv->currency_symbol && *conv->currency_symbol)
            s.currencyString = conv->currency_symbol;
        if (conv->frac_digits != CHAR_MAX)
            s.currencyDecimals = conv->frac_digits;
        if (conv->p_cs_precedes != CHAR_MAX) {
            const bool before = conv->p_cs_precedes == 1;
            const bool space = conv->p_sep_by_space == 1;
            s.currencyFormat = before ? (space ? 2 : 0) : (space ? 3 : 1);
        }
    }
    s.shortDateFormat = patternFromStrftime(nl_langinfo(D_FMT), s.shortDateFormat);
    s.longTimeFormat = patternFromStrftime(nl_langinfo(T_FMT), s.longTimeFormat);
    // Patterns write "/" and ":" for the locale's separators.
    s.dateSeparator = firstSeparator(s.shortDateFormat, '/');
    s.timeSeparator = firstSeparator(s.longTimeFormat, ':');
    for (char& c : s.shortDateFormat) {
        if (c == s.dateSeparator)
            c = '/';
    }
    for (char& c : s.longTimeFormat) {
        if (c == s.timeSeparator)
            c = ':';
    }
    return s;
}

std::string formatGeneral(long double value, int precision, const FormatSettings& settings)
{
    std::string text = decimal::formatGeneral(
        value, std::clamp(precision <= 0 ? GeneralDigits : precision, 1, decimal::ExpansionDigits));
    std::replace(text.begin(), text.end(), '.', settings.decimalSeparator);
    return text;
}

std::string formatCurrency(long double value, const FormatSettings& settings)
{
    const Digits d = decimal::expand(value);
    const decimal::FixedDigits fixed =
        decimal::fixedDigits(d, 1, settings.currencyDecimals, settings.currencyDecimals);
    const std::string number =
        joined(decimal::groupThousands(fixed.integer, settings.thousandSeparator), fixed.decimals,
               settings.decimalSeparator);
    const bool negative = d.negative && fixed.hasNonZeroDigit();
    const std::string& symbol = settings.currencyString;
    std::string text;
    switch (settings.currencyFormat) {
    case 1:
        text = number + symbol;
        break;
    case 2:
        text = symbol + " " + number;
        break;
    case 3:
        text = number + " " + symbol;
        break;
    default:
        text = symbol + number;
        break;
    }
    return negative ? "-" + text : text;
}

namespace {

// One section of a number pattern, taken apart.
struct NumberPattern
{
    std::string prefix, suffix;
    int integerZeros = 0;
    int decimalZeros = 0;
    int decimalPlaces = 0;
    bool grouping = false;
    bool exponent = false;
    bool exponentPlus = false;
    int exponentDigits = 0;
};

std::vector<std::string> sections(const std::string& pattern)
{
    std::vector<std::string> parts(1);
    char quote = 0;
    for (const char c : pattern) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    return parts;
}

NumberPattern parseSection(const std::string& section)
{
    NumberPattern p;
    bool seenPlaceholder = false;
    bool afterDecimal = false;
    std::string literal;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = section.find(c, i + 1);
            literal += section.substr(i + 1, close == std::string::npos ? std::string::npos
                                                                        : close - i - 1);
            i = close == std::string::npos ? section.size() : close;
        } else if (c == '0' || c == '#') {
            if (!seenPlaceholder)
                p.prefix = literal;
            literal.clear();
            seenPlaceholder = true;
            if (afterDecimal) {
                ++p.decimalPlaces;
                if (c == '0')
                    p.decimalZeros = p.decimalPlaces;
            } else if (c == '0') {
                ++p.integerZeros;
            }
        } else if (c == '.' && !afterDecimal) {
            afterDecimal = true;
            seenPlaceholder = true;
        } else if (c == ',') {
            p.grouping = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            p.exponent = true;
            p.exponentPlus = section[i + 1] == '+';
            i += 2;
            while (i < section.size() && section[i] == '0') {
                ++p.exponentDigits;
                ++i;
            }
            --i;
            literal.clear();
        } else {
            literal += c;
        }
    }
    if (seenPlaceholder)
        p.suffix = literal;
    else
        p.prefix = literal;
    return p;
}

} // namespace

std::string formatFloat(const std::string& pattern, long double value,
                        const FormatSettings& settings)
{
    if (pattern.empty())
        return formatGeneral(value, GeneralDigits, settings);
    const std::vector<std::string> parts = sections(pattern);
    std::string section = parts[0];
    bool showSign = true;
    if (value == 0 && parts.size() >= 3 && !parts[2].empty()) {
        section = parts[2];
    } else if (value < 0 && parts.size() >= 2 && !parts[1].empty()) {
        section = parts[1];
        showSign = false;
    }
    const NumberPattern p = parseSection(section);
    Digits d = decimal::expand(value);
    std::string body;
    if (p.exponent) {
        roundToDigits(d, 1 + p.decimalPlaces);
        const int exponent = d.digits.empty() ? 0 : d.intDigits - 1;
        d.intDigits = 1;
        const decimal::FixedDigits fixed =
            decimal::fixedDigits(d, 1, p.decimalZeros, p.decimalPlaces);
        std::string digits = std::to_string(std::abs(exponent));
        while (static_cast<int>(digits.size()) < p.exponentDigits)
            digits.insert(digits.begin(), '0');
        body = joined(fixed.integer, fixed.decimals, settings.decimalSeparator) + "E" +
               (exponent < 0     ? "-"
                : p.exponentPlus ? "+"
                                 : "") +
               digits;
    } else {
        const decimal::FixedDigits fixed =
            decimal::fixedDigits(d, p.integerZeros, p.decimalZeros, p.decimalPlaces);
        body =
            joined(p.grouping ? decimal::groupThousands(fixed.integer, settings.thousandSeparator)
                              : fixed.integer,
                   fixed.decimals, settings.decimalSeparator);
    }
    const bool nonZero = body.find_first_of("123456789") != std::string::npos;
    const std::string sign = showSign && d.negative && nonZero ? "-" : "";
    return sign + p.prefix + body + p.suffix;
}

std::string formatDateTime(const std::string& pattern, long double days,
                           const FormatSettings& settings)
{
    if (pattern.empty()) {
        std::string text = formatDateTime(settings.shortDateFormat, days, settings);
        if (days != std::floor(days)) {
            text += ' ';
            text += formatDateTime(settings.longTimeFormat, days, settings);
        }
        return text;
    }
    const long double whole = std::floor(days);
    const std::chrono::sys_days day =
        DayZero + std::chrono::days{static_cast<std::chrono::days::rep>(whole)};
    const std::chrono::year_month_day ymd{day};
    const int year = static_cast<int>(ymd.year());
    const auto month = static_cast<unsigned>(ymd.month());
    const auto dayOfMonth = static_cast<unsigned>(ymd.day());
    const auto seconds = static_cast<long>(std::lround((days - whole) * SecondsPerDay));
    const int hour = static_cast<int>(seconds / 3600 % 24);
    const int minute = static_cast<int>(seconds / 60 % 60);
    const int second = static_cast<int>(seconds % 60);
    const unsigned weekday = std::chrono::weekday{day}.c_encoding(); // 0 is Sunday
    bool twelveHour = false;
    for (std::size_t i = 0; i < pattern.size() && !twelveHour; ++i)
        twelveHour = startsWithNoCase(pattern, i, "am/pm");

    std::string text;
    bool afterHour = false;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = lowerAscii(pattern[i]);
        std::size_t run = 1;
        while (i + run < pattern.size() && lowerAscii(pattern[i + run]) == c)
            ++run;
        if (pattern[i] == '"' || pattern[i] == '\'') {
            const std::size_t close = pattern.find(pattern[i], i + 1);
            text += pattern.substr(i + 1,
                                   close == std::string::npos ? std::string::npos : close - i - 1);
            i = close == std::string::npos ? pattern.size() : close + 1;
            continue;
        }
        if (startsWithNoCase(pattern, i, "am/pm")) {
            text += hour < 12 ? "am" : "pm";
            i += 5;
            continue;
        }
        switch (c) {
        case 'd':
            text += run == 1   ? std::to_string(dayOfMonth)
                    : run == 2 ? twoDigits(dayOfMonth)
                    : run == 3 ? std::string(DayNames[weekday]).substr(0, 3)
                               : std::string(DayNames[weekday]);
            break;
        case 'm':
            if (afterHour && run <= 2)
                text += run == 1 ? std::to_string(minute) : twoDigits(minute);
            else
                text += run == 1   ? std::to_string(month)
                        : run == 2 ? twoDigits(month)
                        : run == 3 ? std::string(MonthNames[month - 1]).substr(0, 3)
                                   : std::string(MonthNames[month - 1]);
            break;
        case 'y':
            text += run <= 2 ? twoDigits(year % 100) : std::to_string(year);
            break;
        case 'h': {
            const int shown = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            text += run == 1 ? std::to_string(shown) : twoDigits(shown);
            break;
        }
        case 'n':
            text += run == 1 ? std::to_string(minute) : twoDigits(minute);
            break;
        case 's':
            text += run == 1 ? std::to_string(second) : twoDigits(second);
            break;
        case '/':
            text += std::string(run, settings.dateSeparator);
            break;
        case ':':
            text += std::string(run, settings.timeSeparator);
            break;
        default:
            text += pattern.substr(i, run);
            break;
        }
        afterHour = c == 'h' || (afterHour && c != 'd' && c != 'y' && c != 's' && c != 'n' &&
                                 !std::isalpha(static_cast<unsigned char>(c)));
        i += run;
    }
    return text;
}

long double encodeDate(int year, int month, int day)
{
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return static_cast<long double>((std::chrono::sys_days{date} - DayZero).count());
}

} // namespace templating
