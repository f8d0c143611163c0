// Date-times as text through format patterns, and the calendar they count days in.
#include "DatePatterns.h"

#include "AsciiText.h"

#include <cctype>
#include <chrono>
#include <cmath>

namespace templating {

namespace {

// 30 December 1899, day 0 of the engine's date-times.
constexpr std::chrono::sys_days DayZero{std::chrono::year{1899} / std::chrono::December / 30};

// A date-time taken apart, to the millisecond.
struct DateTimeParts
{
    std::chrono::year_month_day date;
    unsigned weekday; // 0 is Sunday
    std::chrono::hh_mm_ss<std::chrono::milliseconds> time;
};

DateTimeParts decode(long double days)
{
    using namespace std::chrono;
    const milliseconds total{std::llround(days * 86'400'000.0L)};
    const sys_days day = DayZero + floor<std::chrono::days>(total);
    return {year_month_day{day}, weekday{day}.c_encoding(),
            hh_mm_ss<milliseconds>{total - floor<std::chrono::days>(total)}};
}

std::string number(long n, std::size_t digits)
{
    std::string text = std::to_string(n);
    if (text.size() < digits)
        text.insert(0, digits - text.size(), '0');
    return text;
}

bool startsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix)
{
    return equalsAsciiNoCase(s.substr(at, prefix.size()), prefix);
}

bool isTwelveHour(std::string_view pattern)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (startsWithNoCase(pattern, i, "am/pm") || startsWithNoCase(pattern, i, "a/p") ||
            startsWithNoCase(pattern, i, "ampm"))
            return true;
    }
    return false;
}

// Writes a date-time through a pattern. Codes that stand for whole formats (c, ddddd, dddddd,
// t, tt) expand one level deep only, so that a format naming itself cannot loop.
class DateWriter
{
public:
    DateWriter(const DateTimeParts& parts, bool hasTime, const FormatSettings& settings)
        : m_parts(parts), m_hasTime(hasTime), m_settings(settings)
    {
    }

    void write(std::string_view pattern, int depth);
    const std::string& text() const { return m_text; }

private:
    // Writes a run of `run` letters `c` (lower case) or separators; false for no code.
    bool writeCode(char c, std::size_t run, bool afterHour, bool twelveHour, int depth);
    void writeFormat(std::string_view pattern, int depth)
    {
        if (depth < 2)
            write(pattern, depth + 1);
    }

    DateTimeParts m_parts;
    bool m_hasTime;
    const FormatSettings& m_settings;
    std::string m_text;
};

void DateWriter::write(std::string_view pattern, int depth)
{
    const bool twelveHour = isTwelveHour(pattern);
    const bool morning = m_parts.time.hours().count() < 12;
    bool afterHour = false;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = lowerAscii(pattern[i]);
        if (pattern[i] == '"' || pattern[i] == '\'') {
            const std::size_t close = pattern.find(pattern[i], i + 1);
            m_text += pattern.substr(i + 1, close == std::string_view::npos ? std::string_view::npos
                                                                            : close - i - 1);
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        // The markers take the case they are written in.
        if (startsWithNoCase(pattern, i, "am/pm")) {
            m_text += pattern.substr(morning ? i : i + 3, 2);
            i += 5;
            continue;
        }
        if (startsWithNoCase(pattern, i, "a/p")) {
            m_text += pattern.substr(morning ? i : i + 2, 1);
            i += 3;
            continue;
        }
        if (startsWithNoCase(pattern, i, "ampm")) {
            m_text += morning ? m_settings.timeAmString : m_settings.timePmString;
            i += 4;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && lowerAscii(pattern[i + run]) == c)
            ++run;
        if (!writeCode(c, run, afterHour, twelveHour, depth))
            m_text += pattern.substr(i, run);
        afterHour = c == 'h' || (afterHour && !std::isalpha(static_cast<unsigned char>(c)));
        i += run;
    }
}

bool DateWriter::writeCode(char c, std::size_t run, bool afterHour, bool twelveHour, int depth)
{
    const int year = static_cast<int>(m_parts.date.year());
    const auto month = static_cast<unsigned>(m_parts.date.month());
    const auto day = static_cast<unsigned>(m_parts.date.day());
    const auto hour = static_cast<int>(m_parts.time.hours().count());
    const auto minute = static_cast<int>(m_parts.time.minutes().count());
    const auto second = static_cast<long>(m_parts.time.seconds().count());
    const auto milliseconds = static_cast<long>(m_parts.time.subseconds().count());
    const auto padded = run >= 2 ? 2u : 1u;
    switch (c) {
    case 'c':
        writeFormat(m_settings.shortDateFormat, depth);
        if (m_hasTime) {
            m_text += ' ';
            writeFormat(m_settings.longTimeFormat, depth);
        }
        break;
    case 'd':
        if (run <= 2)
            m_text += number(day, padded);
        else if (run == 3)
            m_text += m_settings.shortDayNames[m_parts.weekday];
        else if (run == 4)
            m_text += m_settings.longDayNames[m_parts.weekday];
        else
            writeFormat(run == 5 ? m_settings.shortDateFormat : m_settings.longDateFormat, depth);
        break;
    case 'm':
        if (afterHour && run <= 2)
            m_text += number(minute, padded);
        else if (run <= 2)
            m_text += number(month, padded);
        else
            m_text +=
                (run == 3 ? m_settings.shortMonthNames : m_settings.longMonthNames)[month - 1];
        break;
    case 'y':
        m_text += run <= 2 ? number(year % 100, 2) : std::to_string(year);
        break;
    case 'h':
        m_text += number(twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour, padded);
        break;
    case 'n':
        m_text += number(minute, padded);
        break;
    case 's':
        m_text += number(second, padded);
        break;
    case 'z':
        m_text += number(milliseconds, run >= 3 ? 3 : 1);
        break;
    case 't':
        writeFormat(run == 1 ? m_settings.shortTimeFormat : m_settings.longTimeFormat, depth);
        break;
    case '/':
        m_text.append(run, m_settings.dateSeparator);
        break;
    case ':':
        m_text.append(run, m_settings.timeSeparator);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

std::string formatDateTime(const std::string& pattern, long double days,
                           const FormatSettings& settings)
{
    DateWriter writer(decode(days), days != std::floor(days), settings);
    writer.write(pattern.empty() ? std::string_view("c") : std::string_view(pattern), 0);
    return writer.text();
}

long double encodeDate(int year, int month, int day)
{
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return static_cast<long double>((std::chrono::sys_days{date} - DayZero).count());
}

} // namespace templating
