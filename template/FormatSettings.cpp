// The locale facts the engine formats with, and its number and date-time patterns.
#include "FormatSettings.h"

#include "AsciiText.h"
#include "DecimalExpansion.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <clocale>
#include <cmath>
#include <vector>

#include <langinfo.h>

namespace {

using Digits = decimal::Expansion;
using decimal::RoundToDigits;

std::string grouped(const std::string& integer, char separator)
{
    std::string text;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            text += separator;
        text += integer[i];
    }
    return text;
}

// Integer digits (at least `minDigits`) and decimals (at least `minDecimals`, at most
// `maxDecimals`) of |value| rounded to `maxDecimals`.
std::pair<std::string, std::string> fixedParts(Digits d, int minDigits, int minDecimals,
                                               int maxDecimals)
{
    RoundToDigits(d, d.intDigits + maxDecimals);
    std::string integer;
    for (int i = 0; i < d.intDigits && !d.digits.empty(); ++i)
        integer += d.at(i);
    while (static_cast<int>(integer.size()) < minDigits)
        integer.insert(integer.begin(), '0');
    std::string decimals;
    for (int i = 0; i < maxDecimals; ++i)
        decimals += d.digits.empty() ? '0' : d.at(d.intDigits + i);
    while (static_cast<int>(decimals.size()) > minDecimals && decimals.back() == '0')
        decimals.pop_back();
    return {integer, decimals};
}

std::string twoDigits(int n)
{
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

struct CivilDate
{
    int year, month, day;
};

// Days since 1970-01-01 to a calendar date (proleptic Gregorian).
CivilDate civilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long long UnixEpochDay = 25569; // 1970-01-01 in days since 1899-12-30

const std::array<const char*, 12> MonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
const std::array<const char*, 7> DayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};

bool startsWithNoCase(const std::string& s, std::size_t at, const char* prefix)
{
    for (std::size_t i = 0; prefix[i]; ++i) {
        if (at + i >= s.size() || LowerAscii(s[at + i]) != prefix[i])
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

TFormatSettings TFormatSettings::FromCLocale()
{
    TFormatSettings s;
    if (const std::lconv* conv = std::localeconv()) {
        if (conv->decimal_point && *conv->decimal_point)
            s.DecimalSeparator = *conv->decimal_point;
        if (conv->mon_thousands_sep && *conv->mon_thousands_sep)
            s.ThousandSeparator = *conv->mon_thousands_sep;
        if (conv->currency_symbol && *conv->currency_symbol)
            s.CurrencyString = conv->currency_symbol;
        if (conv->frac_digits != CHAR_MAX)
            s.CurrencyDecimals = conv->frac_digits;
        if (conv->p_cs_precedes != CHAR_MAX) {
            const bool before = conv->p_cs_precedes == 1;
            const bool space = conv->p_sep_by_space == 1;
            s.CurrencyFormat = before ? (space ? 2 : 0) : (space ? 3 : 1);
        }
    }
    s.ShortDateFormat = patternFromStrftime(nl_langinfo(D_FMT), s.ShortDateFormat);
    s.LongTimeFormat = patternFromStrftime(nl_langinfo(T_FMT), s.LongTimeFormat);
    // Patterns write "/" and ":" for the locale's separators.
    s.DateSeparator = firstSeparator(s.ShortDateFormat, '/');
    s.TimeSeparator = firstSeparator(s.LongTimeFormat, ':');
    for (char& c : s.ShortDateFormat) {
        if (c == s.DateSeparator)
            c = '/';
    }
    for (char& c : s.LongTimeFormat) {
        if (c == s.TimeSeparator)
            c = ':';
    }
    return s;
}

std::string FormatGeneral(long double value, int precision, const TFormatSettings& settings)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision <= 0 ? 15 : precision, 1, 18);
    Digits d = decimal::Expand(value);
    RoundToDigits(d, precision);
    if (d.digits.empty())
        return "0";
    const std::string sign = d.negative ? "-" : "";
    if (d.intDigits > precision || d.intDigits < -4) {
        std::string text = sign + d.digits[0];
        if (d.digits.size() > 1)
            text += settings.DecimalSeparator + d.digits.substr(1);
        return text + "E" + std::to_string(d.intDigits - 1);
    }
    const auto [integer, decimals] = fixedParts(d, 1, 0, std::max(precision - d.intDigits, 0));
    return sign + integer + (decimals.empty() ? "" : settings.DecimalSeparator + decimals);
}

std::string FormatCurrency(long double value, const TFormatSettings& settings)
{
    const Digits d = decimal::Expand(value);
    const auto [integer, decimals] =
        fixedParts(d, 1, settings.CurrencyDecimals, settings.CurrencyDecimals);
    std::string number = grouped(integer, settings.ThousandSeparator);
    if (!decimals.empty())
        number += settings.DecimalSeparator + decimals;
    const bool negative = d.negative && (integer.find_first_not_of('0') != std::string::npos ||
                                         decimals.find_first_not_of('0') != std::string::npos);
    const std::string& symbol = settings.CurrencyString;
    std::string text;
    switch (settings.CurrencyFormat) {
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

std::string FormatFloat(const std::string& pattern, long double value,
                        const TFormatSettings& settings)
{
    if (pattern.empty())
        return FormatGeneral(value, 15, settings);
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
    Digits d = decimal::Expand(value);
    std::string body;
    if (p.exponent) {
        RoundToDigits(d, 1 + p.decimalPlaces);
        const int exponent = d.digits.empty() ? 0 : d.intDigits - 1;
        d.intDigits = 1;
        const auto [integer, decimals] = fixedParts(d, 1, p.decimalZeros, p.decimalPlaces);
        std::string digits = std::to_string(std::abs(exponent));
        while (static_cast<int>(digits.size()) < p.exponentDigits)
            digits.insert(digits.begin(), '0');
        body = integer + (decimals.empty() ? "" : settings.DecimalSeparator + decimals) + "E" +
               (exponent < 0     ? "-"
                : p.exponentPlus ? "+"
                                 : "") +
               digits;
    } else {
        const auto [integer, decimals] =
            fixedParts(d, p.integerZeros, p.decimalZeros, p.decimalPlaces);
        body = p.grouping ? grouped(integer, settings.ThousandSeparator) : integer;
        if (!decimals.empty())
            body += settings.DecimalSeparator + decimals;
    }
    const bool nonZero = body.find_first_of("123456789") != std::string::npos;
    const std::string sign = showSign && d.negative && nonZero ? "-" : "";
    return sign + p.prefix + body + p.suffix;
}

std::string FormatDateTime(const std::string& pattern, long double days,
                           const TFormatSettings& settings)
{
    if (pattern.empty()) {
        const bool hasTime = days != std::floor(days);
        return FormatDateTime(settings.ShortDateFormat, days, settings) +
               (hasTime ? " " + FormatDateTime(settings.LongTimeFormat, days, settings) : "");
    }
    const long double whole = std::floor(days);
    const CivilDate date = civilFromDays(static_cast<long long>(whole) - UnixEpochDay);
    const auto seconds = static_cast<long>(std::lround((days - whole) * 86400));
    const int hour = static_cast<int>(seconds / 3600 % 24);
    const int minute = static_cast<int>(seconds / 60 % 60);
    const int second = static_cast<int>(seconds % 60);
    const int weekday =
        static_cast<int>(((static_cast<long long>(whole) - UnixEpochDay) % 7 + 11) % 7);
    bool twelveHour = false;
    for (std::size_t i = 0; i < pattern.size() && !twelveHour; ++i)
        twelveHour = startsWithNoCase(pattern, i, "am/pm");

    std::string text;
    bool afterHour = false;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = LowerAscii(pattern[i]);
        std::size_t run = 1;
        while (i + run < pattern.size() && LowerAscii(pattern[i + run]) == c)
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
            text += run == 1   ? std::to_string(date.day)
                    : run == 2 ? twoDigits(date.day)
                    : run == 3 ? std::string(DayNames[weekday]).substr(0, 3)
                               : std::string(DayNames[weekday]);
            break;
        case 'm':
            if (afterHour && run <= 2)
                text += run == 1 ? std::to_string(minute) : twoDigits(minute);
            else
                text += run == 1   ? std::to_string(date.month)
                        : run == 2 ? twoDigits(date.month)
                        : run == 3 ? std::string(MonthNames[date.month - 1]).substr(0, 3)
                                   : std::string(MonthNames[date.month - 1]);
            break;
        case 'y':
            text += run <= 2 ? twoDigits(date.year % 100) : std::to_string(date.year);
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
            text += std::string(run, settings.DateSeparator);
            break;
        case ':':
            text += std::string(run, settings.TimeSeparator);
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

long double EncodeDate(int year, int month, int day)
{
    // days_from_civil, shifted to 30 December 1899.
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<long double>(era * 146097 + static_cast<long long>(doe) - 719468 +
                                    UnixEpochDay);
}
