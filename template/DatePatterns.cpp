// Date-times as text through format patterns, and the calendar they count days in.
#include "DatePatterns.h"

#include "AsciiText.h"

#include <array>
#include <cctype>
#include <chrono>
#include <cmath>

namespace templating {

namespace {

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

} // namespace

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
