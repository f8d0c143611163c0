// Number and date patterns, the locale's settings in UTF-8, and their texts in an RTF template.
#include "DataTemplateEngine.h"
#include "DatePatterns.h"
#include "EngineTestSupport.h"
#include "NumberPatterns.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace templating;

namespace {

TEST(FormatPatterns, numbers)
{
    const FormatSettings s = spanish();
    const std::tuple<const char*, long double, const char*> cases[] = {
        {"#,##0.00", 1234567.891L, "1.234.567,89"},
        {"0.00", -0.001L, "0,00"},
        {"#.##", 0.5L, ",5"},
        {"000", 7, "007"},
        {"\"EUR \"#,##0", 1500, "EUR 1.500"},
        {"0.00;(0.00);cero", -2.5L, "(2,50)"},
        {"0.00;(0.00);cero", 0, "cero"},
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.0E-0", 0.00012L, "1,2E-4"},
        {"", 2.5L, "2,5"},
        // Literal text between placeholders stays where it is written.
        {"00-00", 1234.5L, "12-35"},
        {"(000) 000-0000", 1234567890, "(123) 456-7890"},
        {"#,##0.00 \"\xE2\x82\xAC\"", 1234567.891L, "1.234.567,89 \xE2\x82\xAC"},
        {"0.0 'kg'", 2.5L, "2,5 kg"},
        {"0.0' kg'", -2.5L, "-2,5 kg"},
        {"0-0", 12345, "1234-5"},
    };
    for (const auto& [pattern, value, expected] : cases)
        EXPECT_EQ(formatFloat(pattern, value, s), expected) << pattern;
}

TEST(FormatPatterns, datesAndTimes)
{
    const FormatSettings s = spanish();
    const long double moment = encodeDate(2026, 3, 5) + (14 * 3600 + 7 * 60 + 9) / 86400.0L;
    EXPECT_EQ(formatDateTime("d/m/yy", moment, s), "5/3/26");
    EXPECT_EQ(formatDateTime("dddd dd mmmm yyyy", moment, s), "Thursday 05 March 2026");
    EXPECT_EQ(formatDateTime("hh:nn:ss", moment, s), "14:07:09");
    EXPECT_EQ(formatDateTime("h:mm am/pm", moment, s), "2:07 pm");
    EXPECT_EQ(formatDateTime("", moment, s), "05/03/2026 14:07:09");
    EXPECT_EQ(formatDateTime("", encodeDate(2026, 3, 5), s), "05/03/2026");
    EXPECT_EQ(encodeDate(1899, 12, 30), 0);
}

// The tests run under es_ES.UTF-8 (set by CTest): names and formats come from it.
TEST(FormatPatterns, datesInTheUsersLocale)
{
    const FormatSettings s = FormatSettings::fromCLocale();
    const long double day = encodeDate(2024, 3, 5); // a Tuesday
    const long double afternoon = day + (14 * 3600 + 7 * 60 + 9) / 86400.0L + 0.045L / 86400;
    const long double morning = encodeDate(2024, 3, 6) + (9 * 3600 + 5 * 60) / 86400.0L;
    const std::tuple<const char*, long double, const char*> cases[] = {
        {"dddd, d \"de\" mmmm \"de\" yyyy", day, "martes, 5 de marzo de 2024"},
        {"ddd d mmm", morning, "mi\xC3\xA9 6 mar"},
        {"dddd", morning, "mi\xC3\xA9rcoles"},
        {"c", afternoon, "05/03/24 14:07:09"},
        {"c", day, "05/03/24"},
        {"ddddd", afternoon, "05/03/24"},
        {"dddddd", afternoon, "mar 05 mar 2024"},
        {"t", afternoon, "14:07"},
        {"tt", afternoon, "14:07:09"},
        {"hh:nn:ss.zzz", afternoon, "14:07:09.045"},
        {"s.z", afternoon, "9.45"},
        {"h:nn AM/PM", afternoon, "2:07 PM"},
        {"h:nn am/pm", morning, "9:05 am"},
        {"h A/P", afternoon, "2 P"},
        {"h:nn a/p", morning, "9:05 a"},
    };
    for (const auto& [pattern, days, expected] : cases)
        EXPECT_EQ(formatDateTime(pattern, days, s), expected) << pattern;
}

// Sets one locale category for the life of the object.
class LocaleCategory
{
public:
    LocaleCategory(int category, const char* locale)
        : m_category(category), m_earlier(std::setlocale(category, nullptr))
    {
        std::setlocale(category, locale);
    }
    ~LocaleCategory() { std::setlocale(m_category, m_earlier.c_str()); }

private:
    int m_category;
    std::string m_earlier;
};

TEST(FormatSettingsTest, readFromTheCLibraryLocale)
{
    const FormatSettings s = FormatSettings::fromCLocale();
    EXPECT_EQ(s.decimalSeparator, ',');
    EXPECT_EQ(s.thousandSeparator, '.');
    EXPECT_EQ(s.shortDateFormat, "dd/mm/yy");
    EXPECT_EQ(s.dateSeparator, '/');
    EXPECT_EQ(s.longTimeFormat, "hh:nn:ss");
    EXPECT_EQ(s.currencyDecimals, 2);
    EXPECT_EQ(s.currencyFormat, 3);
    EXPECT_EQ(s.currencyString, "\xE2\x82\xAC");
    EXPECT_EQ(s.longMonthNames[2], "marzo");
    EXPECT_EQ(s.shortDayNames[6], "s\xC3\xA1"
                                  "b");

    // Numbers group with the numbers' separator, whatever the currency's.
    const LocaleCategory currencyOfC(LC_MONETARY, "C");
    EXPECT_EQ(FormatSettings::fromCLocale().thousandSeparator, '.');
}

// A locale's texts in another character set come out in UTF-8.
TEST(FormatSettingsTest, textsOfOtherCharacterSetsInUtf8)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"ISO-8859-15",
         "\xA4 ma\xF1"
         "ana",
         "\xE2\x82\xAC ma\xC3\xB1"
         "ana"},
        {"CP1252", "\x80|\x81|", "\xE2\x82\xAC|?|"},
        {"UTF-8", "\xE2\x82\xAC", "\xE2\x82\xAC"},
        {"no such set", "a\xF1", "a\xF1"},
    };
    for (const auto& [codeset, text, utf8] : cases)
        EXPECT_EQ(toUtf8(text, codeset), utf8) << codeset;
}

// The locale's UTF-8 texts reach an RTF template in code page 1252 and a text template as
// they are.
TEST(FormatSettingsTest, rtfTemplatesGetCodePage1252)
{
    MemoryDataSet data("d");
    data.addField("importe", FieldType::Float).currency = true;
    data.addField("dia", FieldType::Date).displayFormat = "dddd";
    data.appendRow({Variant::fromFloat(1234.5L), Variant::fromDateTime(encodeDate(2024, 3, 6))});
    const std::pair<const char*, const char*> cases[] = {
        {"t.rtf", "1.234,50 \\'80 mi\\'E9rcoles"},
        {"t.txt", "1.234,50 \xE2\x82\xAC mi\xC3\xA9rcoles"},
    };
    for (const auto& [name, expected] : cases) {
        ScratchFolder folder;
        writeFile(folder.file(name), "\\{d.importe\\} \\{d.dia\\}");
        DataTemplateEngine engine;
        engine.dataSets.push_back(&data);
        engine.processTemplate(folder.file(name), folder.file("out"));
        EXPECT_EQ(readFile(folder.file("out")), expected) << name;
    }
}

} // namespace
