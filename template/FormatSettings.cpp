// FormatSettings: the locale facts the engine formats numbers, dates and times with.
#include "FormatSettings.h"

#include "AsciiText.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <optional>
#include <sstream>
#include <utility>

#include <iconv.h>
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

// Turns text of one character set into UTF-8; UTF-8 and ASCII pass unchanged.
class Utf8Converter
{
public:
    explicit Utf8Converter(const std::string& codeset)
    {
        const std::string name = lowerAscii(codeset);
        if (name != "utf-8" && name != "utf8" && name != "ansi_x3.4-1968" && name != "ascii")
            m_converter = iconv_open("UTF-8", codeset.c_str());
    }
    ~Utf8Converter()
    {
        if (isOpen())
            iconv_close(m_converter);
    }
    Utf8Converter(const Utf8Converter&) = delete;
    Utf8Converter& operator=(const Utf8Converter&) = delete;

    std::string operator()(std::string_view text) const
    {
        if (!isOpen())
            return std::string(text);
        iconv(m_converter, nullptr, nullptr, nullptr, nullptr);
        // Four bytes a character at the most.
        std::string utf8(4 * text.size(), '\0');
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char* out = utf8.data();
        std::size_t outLeft = utf8.size();
        while (inLeft > 0) {
            if (iconv(m_converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
                continue;
            if (errno != EILSEQ && errno != EINVAL)
                break;
            *out++ = '?';
            --outLeft;
            ++in;
            --inLeft;
        }
        utf8.resize(static_cast<std::size_t>(out - utf8.data()));
        return utf8;
    }

private:
    bool isOpen() const { return m_converter != reinterpret_cast<iconv_t>(std::intptr_t{-1}); }

    iconv_t m_converter = reinterpret_cast<iconv_t>(std::intptr_t{-1});
};

// The separator as one byte; one of several bytes (a narrow no-break space, say) is a blank.
void setSeparator(char& separator, const std::string& text)
{
    if (!text.empty())
        separator = text.size() == 1 ? text[0] : ' ';
}

void setText(std::string& text, std::string value)
{
    if (!value.empty())
        text = std::move(value);
}

} // namespace

FormatSettings FormatSettings::fromCLocale()
{
    FormatSettings s;
    const Utf8Converter utf8(nl_langinfo(CODESET));
    const auto text = [&utf8](const char* value) { return value ? utf8(value) : std::string(); };
    if (const std::lconv* conv = std::localeconv()) {
        setSeparator(s.decimalSeparator, text(conv->decimal_point));
        setSeparator(s.thousandSeparator, text(conv->thousands_sep));
        setText(s.currencyString, text(conv->currency_symbol));
        if (conv->frac_digits != CHAR_MAX)
            s.currencyDecimals = conv->frac_digits;
        if (conv->p_cs_precedes != CHAR_MAX) {
            const bool before = conv->p_cs_precedes == 1;
            const bool space = conv->p_sep_by_space == 1;
            s.currencyFormat = before ? (space ? 2 : 0) : (space ? 3 : 1);
        }
    }
    for (int day = 0; day < 7; ++day) {
        setText(s.shortDayNames[static_cast<std::size_t>(day)], text(nl_langinfo(ABDAY_1 + day)));
        setText(s.longDayNames[static_cast<std::size_t>(day)], text(nl_langinfo(DAY_1 + day)));
    }
    for (int month = 0; month < 12; ++month) {
        setText(s.shortMonthNames[static_cast<std::size_t>(month)],
                text(nl_langinfo(ABMON_1 + month)));
        setText(s.longMonthNames[static_cast<std::size_t>(month)],
                text(nl_langinfo(MON_1 + month)));
    }
    setText(s.timeAmString, text(nl_langinfo(AM_STR)));
    setText(s.timePmString, text(nl_langinfo(PM_STR)));
    s.shortDateFormat = patternFromStrftime(text(nl_langinfo(D_FMT)).c_str(), s.shortDateFormat);
    s.longDateFormat =
        patternFromStrftime(datePart(text(nl_langinfo(D_T_FMT)).c_str()).c_str(), s.longDateFormat);
    s.longTimeFormat = patternFromStrftime(text(nl_langinfo(T_FMT)).c_str(), s.longTimeFormat);
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
    return s;
}

std::string toUtf8(std::string_view text, const std::string& codeset)
{
    return Utf8Converter(codeset)(text);
}

} // namespace templating
