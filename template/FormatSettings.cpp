// FormatSettings: the locale facts the engine formats numbers, dates and times with.
#include "FormatSettings.h"

#include "CodePage1252.h"

#include <cctype>
#include <climits>
#include <clocale>
#include <cstring>
#include <optional>
#include <sstream>

#include <langinfo.h>

namespace templating {

namespace {

// The pattern of one C library conversion ("d" of "%d"); nothing for one that patterns cannot
// express.
std::optional<std::string> patternOf(char conversion, bool padded)
{
    switch (conversion) {
    case 'd':
        return padded ? "dd" : "d";
    case 'e':
        return "d";
    case 'm':
        return padded ? "mm" : "m";
    case 'y':
        return "yy";
    case 'Y':
        return "yyyy";
    case 'a':
        return "ddd";
    case 'A':
        return "dddd";
    case 'b':
    case 'h':
        return "mmm";
    case 'B':
        return "mmmm";
    case 'H':
    case 'I':
        return padded ? "hh" : "h";
    case 'M':
        return padded ? "nn" : "n";
    case 'S':
        return padded ? "ss" : "s";
    case 'T':
        return "hh:nn:ss";
    case 'R':
        return "hh:nn";
    case 'p':
        return "am/pm";
    default:
        return std::nullopt;
    }
}

// Turns a C library date or time format ("%d/%m/%y", "%H:%M:%S") into a pattern; letters
// outside conversions become quoted literal text.
std::string patternFromStrftime(const char* format, std::string fallback)
{
    if (!format || !*format)
        return fallback;
    std::string pattern;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            if (std::isalpha(static_cast<unsigned char>(*p)))
                pattern += std::string("\"") + *p + '"';
            else
                pattern += *p;
            continue;
        }
        const bool padded = p[1] != '-'; // "%-d": no leading zero
        if (!padded)
            ++p;
        const std::optional<std::string> part = patternOf(*++p, padded);
        if (!part)
            return fallback;
        pattern += *part;
    }
    return pattern;
}

bool isTimeConversion(const std::string& word)
{
    for (std::size_t at = word.find('%'); at != std::string::npos; at = word.find('%', at + 1)) {
        const std::size_t letter = at + 1 < word.size() && word[at + 1] == '-' ? at + 2 : at + 1;
        if (letter < word.size() && std::strchr("HIMSTRrpPZzX", word[letter]))
            return true;
    }
    return false;
}

// The date words of the C library's date-and-time format ("%a %d %b %Y %T" gives
// "%a %d %b %Y"): the long date format.
std::string datePart(const char* dateAndTime)
{
    std::istringstream words(dateAndTime ? dateAndTime : "");
    std::string date;
    for (std::string word; words >> word;) {
        if (isTimeConversion(word))
            continue;
        date += (date.empty() ? "" : " ") + word;
    }
    return date;
}

// The time format without its seconds ("hh:nn:ss" gives "hh:nn").
std::string withoutSeconds(const std::string& pattern)
{
    const std::size_t seconds = pattern.find('s');
    if (seconds == std::string::npos || seconds == 0)
        return pattern;
    const std::size_t end = pattern.find_first_not_of('s', seconds);
    return pattern.substr(0, seconds - 1) +
           (end == std::string::npos ? std::string() : pattern.substr(end));
}

char firstSeparator(const std::string& pattern, char fallback)
{
    for (const char c : pattern) {
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != '"')
            return c;
    }
    return fallback;
}

// One byte of a separator; a separator of several bytes (a narrow no-break space in a UTF-8
// locale, say) is a blank.
void setSeparator(char& separator, const char* text)
{
    if (text && *text)
        separator = text[1] ? ' ' : *text;
}

void setText(std::string& text, const char* value)
{
    if (value && *value)
        text = value;
}

} // namespace

FormatSettings FormatSettings::fromCLocale()
{
    FormatSettings s;
    if (const std::lconv* conv = std::localeconv()) {
        setSeparator(s.decimalSeparator, conv->decimal_point);
        setSeparator(s.thousandSeparator, conv->thousands_sep);
        setText(s.currencyString, conv->currency_symbol);
        if (conv->frac_digits != CHAR_MAX)
            s.currencyDecimals = conv->frac_digits;
        if (conv->p_cs_precedes != CHAR_MAX) {
            const bool before = conv->p_cs_precedes == 1;
            const bool space = conv->p_sep_by_space == 1;
            s.currencyFormat = before ? (space ? 2 : 0) : (space ? 3 : 1);
        }
    }
    for (int day = 0; day < 7; ++day) {
        setText(s.shortDayNames[static_cast<std::size_t>(day)], nl_langinfo(ABDAY_1 + day));
        setText(s.longDayNames[static_cast<std::size_t>(day)], nl_langinfo(DAY_1 + day));
    }
    for (int month = 0; month < 12; ++month) {
        setText(s.shortMonthNames[static_cast<std::size_t>(month)], nl_langinfo(ABMON_1 + month));
        setText(s.longMonthNames[static_cast<std::size_t>(month)], nl_langinfo(MON_1 + month));
    }
    setText(s.timeAmString, nl_langinfo(AM_STR));
    setText(s.timePmString, nl_langinfo(PM_STR));
    s.shortDateFormat = patternFromStrftime(nl_langinfo(D_FMT), s.shortDateFormat);
    s.longDateFormat =
        patternFromStrftime(datePart(nl_langinfo(D_T_FMT)).c_str(), s.longDateFormat);
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
    s.shortTimeFormat = withoutSeconds(s.longTimeFormat);
    setText(s.codeset, nl_langinfo(CODESET));
    return s;
}

FormatSettings FormatSettings::inCodePage1252() const
{
    FormatSettings s = *this;
    if (codeset.empty())
        return s;
    const auto convert = [this](std::string& text) { text = toCodePage1252(text, codeset); };
    const auto convertSeparator = [&](char& separator) {
        std::string text(1, separator);
        convert(text);
        separator = text.size() == 1 ? text[0] : ' ';
    };
    convertSeparator(s.decimalSeparator);
    convertSeparator(s.thousandSeparator);
    convertSeparator(s.dateSeparator);
    convertSeparator(s.timeSeparator);
    for (std::string* text :
         {&s.shortDateFormat, &s.longDateFormat, &s.shortTimeFormat, &s.longTimeFormat,
          &s.timeAmString, &s.timePmString, &s.currencyString})
        convert(*text);
    for (std::string& name : s.shortDayNames)
        convert(name);
    for (std::string& name : s.longDayNames)
        convert(name);
    for (std::string& name : s.shortMonthNames)
        convert(name);
    for (std::string& name : s.longMonthNames)
        convert(name);
    s.codeset.clear();
    return s;
}

} // namespace templating
