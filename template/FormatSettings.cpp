// FormatSettings: the locale facts the engine formats numbers, dates and times with.
#include "FormatSettings.h"

#include <cctype>
#include <climits>
#include <clocale>

#include <langinfo.h>

namespace templating {

namespace {

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

} // namespace templating
