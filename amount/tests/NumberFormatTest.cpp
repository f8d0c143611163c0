// Display formats, parsing and separator conversion of amounts, and integer texts.
#include "NumberFormat.h"

#include "IntegerText.h"
#include "QStringPrinter.h"
#include "TestSeparators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace amount;
using testsupport::English;
using testsupport::Spanish;
using namespace Qt::StringLiterals;

namespace {

struct FormatCase
{
    const char* name;
    Amount value;
    int decimals;
    NumberFormat format;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

class FormatValueTest : public testing::TestWithParam<FormatCase>
{
};

TEST_P(FormatValueTest, showsTheExpectedText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatValue(c.value, c.decimals, c.format, Spanish).toStdString(), c.expected);
}

constexpr auto S = NumberFormat::Standard;
constexpr auto T = NumberFormat::Thousands;
constexpr auto Sc = NumberFormat::Scientific;
constexpr auto En = NumberFormat::Engineering;

// The reference table of the display formats.
INSTANTIATE_TEST_SUITE_P(
    ReferenceTable, FormatValueTest,
    testing::Values(
        FormatCase{"million_2_standard", 1234567.891L, 2, S, "1234567,89"},
        FormatCase{"million_2_thousands", 1234567.891L, 2, T, "1.234.567,89"},
        FormatCase{"million_2_scientific", 1234567.891L, 2, Sc, "1,23E6"},
        FormatCase{"million_2_engineering", 1234567.891L, 2, En, "1,23E6"},
        FormatCase{"million_float_standard", 1234567.891L, -1, S, "1234567,891"},
        FormatCase{"million_float_thousands", 1234567.891L, -1, T, "1.234.567,891"},
        FormatCase{"million_float_scientific", 1234567.891L, -1, Sc, "1,234567891E6"},
        FormatCase{"million_float_engineering", 1234567.891L, -1, En, "1,234567891E6"},
        FormatCase{"ten_million_standard", 12345678.9L, 2, S, "12345678,90"},
        FormatCase{"ten_million_thousands", 12345678.9L, 2, T, "12.345.678,90"},
        FormatCase{"ten_million_scientific", 12345678.9L, 2, Sc, "1,23E7"},
        FormatCase{"ten_million_engineering", 12345678.9L, 2, En, "12,35E6"},
        FormatCase{"negative_standard", -1234.5L, 2, S, "-1234,50"},
        FormatCase{"negative_thousands", -1234.5L, 2, T, "-1.234,50"},
        FormatCase{"negative_scientific", -1234.5L, 2, Sc, "-1,23E3"},
        FormatCase{"negative_engineering", -1234.5L, 2, En, "-1,23E3"},
        FormatCase{"zero_2_standard", 0.0L, 2, S, "0,00"},
        FormatCase{"zero_2_thousands", 0.0L, 2, T, "0,00"},
        FormatCase{"zero_2_scientific", 0.0L, 2, Sc, "0,00E0"},
        FormatCase{"zero_2_engineering", 0.0L, 2, En, "0,00E0"},
        FormatCase{"zero_float_standard", 0.0L, -1, S, "0"},
        FormatCase{"zero_float_thousands", 0.0L, -1, T, "0"},
        FormatCase{"zero_float_scientific", 0.0L, -1, Sc, "0E0"},
        FormatCase{"zero_float_engineering", 0.0L, -1, En, "0E0"},
        FormatCase{"many_decimals_standard", 1234567.123456789L, -1, S, "1234567,123456789"},
        FormatCase{"many_decimals_thousands", 1234567.123456789L, -1, T, "1.234.567,12345679"},
        FormatCase{"fourteen_digits_standard", 12345678901234.567L, 2, S, "12345678901234,60"},
        FormatCase{"fourteen_digits_thousands", 12345678901234.567L, 2, T, "12.345.678.901.234,60"},
        FormatCase{"no_decimals_standard", 1234.5L, 0, S, "1235"},
        FormatCase{"no_decimals_thousands", 1234.5L, 0, T, "1.235"},
        FormatCase{"no_decimals_scientific", 1234.5L, 0, Sc, "1E3"},
        FormatCase{"no_decimals_engineering", 1234.5L, 0, En, "1E3"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

// Rounding, signs and the limits of the fixed forms.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatValueTest,
    testing::Values(
        FormatCase{"half_rounds_up", 0.125L, 2, T, "0,13"},
        FormatCase{"negative_half_rounds_away", -0.125L, 2, T, "-0,13"},
        FormatCase{"extended_literal_rounds_on_18_digits", 1.005L, 2, T, "1,01"},
        FormatCase{"double_literal_keeps_its_error", static_cast<Amount>(1.005), 2, T, "1,00"},
        FormatCase{"tiny_negative_is_zero", -0.001L, 2, T, "0,00"},
        FormatCase{"negative_zero", -0.0L, 2, T, "0,00"},
        FormatCase{"negative_zero_float", -0.0L, -1, S, "0"},
        FormatCase{"negative_zero_scientific", -0.0L, 2, Sc, "0,00E0"},
        FormatCase{"carry_into_new_group", 999999.999L, 2, T, "1.000.000,00"},
        FormatCase{"below_one", 0.5L, 2, T, "0,50"},
        FormatCase{"small_float", 0.000123456789012345678L, -1, T, "0,00012345678901"},
        FormatCase{"scientific_carry", 9.999L, 2, Sc, "1,00E1"},
        FormatCase{"scientific_negative_exponent", 0.00123L, 2, Sc, "1,23E-3"},
        FormatCase{"fifteen_digits_fixed", 123456789012345.67L, 2, T, "123.456.789.012.346,00"},
        FormatCase{"eighteen_digits_fixed", 123456789012345678.0L, 2, S, "123456789012346000,00"},
        FormatCase{"thirteen_digits_untouched", 1234567890123.45L, 2, S, "1234567890123,45"},
        FormatCase{"fourteen_digits_four_decimals", 12345678901234.5678L, 4, S,
                   "12345678901234,6000"},
        FormatCase{"float_thousands_sixteen_digits", 1234567890123456.7L, -1, T,
                   "1.234.567.890.123.457"},
        FormatCase{"float_standard_sixteen_digits", 1234567890123456.7L, -1, S,
                   "1234567890123456,7"},
        FormatCase{"nineteen_digits_general", 1e20L, 2, T, "1E20"},
        FormatCase{"nineteen_digits_general_mantissa", -1.5e20L, 2, S, "-1,5E20"},
        FormatCase{"rounds_into_nineteen_digits", 999999999999999999.5L, 2, S, "1E18"},
        FormatCase{"general_keeps_fifteen_digits", 1234567890123456789012.0L, -1, S,
                   "1,23456789012346E21"},
        FormatCase{"engineering_below_one_keeps_e0", 0.005L, 2, En, "0,01E0"},
        FormatCase{"engineering_below_thousandth", 0.0005L, 2, En, "0,50E-3"},
        FormatCase{"engineering_zero", 0.0L, 2, En, "0,00E0"},
        FormatCase{"engineering_hundreds", 123456.0L, -1, En, "123,456E3"},
        FormatCase{"engineering_no_decimals", 12345678.9L, 0, En, "12E6"},
        FormatCase{"engineering_tiny_negative_mantissa", -0.002L, 2, En, "0,00E0"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(FormatValue, usesTheGivenSeparators)
{
    EXPECT_EQ(formatValue(1234567.891L, 2, T, English), u"1,234,567.89");
    EXPECT_EQ(formatValue(1234567.891L, 2, T, Separators{u'.', u'\''}), u"1'234'567.89");
}

TEST(FormatValue, writesInfinityAndNan)
{
    EXPECT_EQ(formatValue(INFINITY, 2, T, Spanish), u"INF");
    EXPECT_EQ(formatValue(-INFINITY, 2, T, Spanish), u"-INF");
    EXPECT_EQ(formatValue(NAN, 2, T, Spanish), u"NAN");
}

TEST(FormatValue, textReadsBackToItself)
{
    const Amount values[] = {0.125L,
                             -0.125L,
                             1.005L,
                             2.675L,
                             1234567.891L,
                             -98765.4321L,
                             1e-10L,
                             3.14159265358979323846L,
                             12345678901234.567L,
                             7e300L};
    for (const auto format : {S, T, Sc, En}) {
        for (int decimals = -1; decimals <= 14; ++decimals) {
            for (const Amount value : values) {
                const QString text = formatValue(value, decimals, format, Spanish);
                Separators last = Spanish;
                const Amount back = parseValue(cleanText(text, last, Spanish), Spanish.decimal);
                if (back == 0 && value != 0)
                    continue; // an engineering mantissa rounded to zero reads back as 0
                EXPECT_EQ(formatValue(back, decimals, format, Spanish), text)
                    << static_cast<double>(value) << " decimals " << decimals;
            }
        }
    }
}

// Money is rounded to cents halves away from zero, on the decimal digits and at any size.
TEST(RoundToCents, halvesGoAwayFromZeroAtAnySize)
{
    const std::pair<Amount, Amount> cases[] = {
        {0.125L, 0.13L},
        {-0.125L, -0.13L},
        {1.005L, 1.01L},
        {-1.005L, -1.01L},
        {2.675L, 2.68L},
        {0.124999L, 0.12L},
        {-0.004L, 0},
        {9.995L, 10},
        {9999999999999.995L, 10000000000000},
        {-9999999999999.995L, -10000000000000},
        // Beyond the 15 digits a field shows, the cents are kept.
        {123456789012345.675L, 123456789012345.68L},
        {6010.12L, 6010.12L},
    };
    for (const auto& [x, cents] : cases) {
        EXPECT_EQ(roundToCents(x), cents) << static_cast<double>(x);
        if (cents == 0) {
            EXPECT_FALSE(std::signbit(roundToCents(x))) << "a negative zero";
        }
    }
}

// What a field shows is what formatting writes and parsing reads back, for any value.
TEST(ShownValue, isTheFieldsTextReadBack)
{
    std::mt19937_64 random(30);
    std::uniform_int_distribution<int> exponent(-8, 20);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    const Separators plain;
    for (int i = 0; i < 20000; ++i) {
        const Amount x = static_cast<Amount>(mantissa(random)) *
                         std::pow(10.0L, static_cast<Amount>(exponent(random)));
        for (const int decimals : {0, 2}) {
            const Amount read = parseValue(
                cleanText(formatValue(x, decimals, T, plain), plain, plain), plain.decimal);
            EXPECT_EQ(shownValue(x, decimals), read + Amount{0})
                << static_cast<double>(x) << " with " << decimals << " decimals";
        }
    }
    EXPECT_THROW(shownValue(std::numeric_limits<Amount>::infinity(), 2), ConversionError);
}

struct ParseCase
{
    const char* text;
    Amount expected;
};

TEST(parseValue, acceptsTheNumberGrammar)
{
    const ParseCase cases[] = {
        {"1234,5", 1234.5L}, {"-0", -0.0L}, {"12E", 12.0L},      {"1,5E-3", 0.0015L},
        {"  +3  ", 3.0L},    {",5", 0.5L},  {"5,", 5.0L},        {"1e+2", 100.0L},
        {"1E4932", 1e4932L}, {"0,1", 0.1L}, {"-1,25e1", -12.5L}, {"1E-5000", 0.0L},
    };
    for (const auto& c : cases) {
        const Amount value = parseValue(QString::fromLatin1(c.text), u',');
        EXPECT_EQ(value, c.expected) << c.text;
        EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << c.text;
    }
}

TEST(parseValue, refusesOtherTextWithTheCleanedTextInTheMessage)
{
    const char* refused[] = {"E5",           "1-2", "",    "-",    "1,2,3",
                             "1.5",          "abc", "1 2", "1E5x", "2E4932",
                             "1E9999999999", "++1", "0x10"};
    for (const char* text : refused) {
        try {
            parseValue(QString::fromLatin1(text), u',');
            ADD_FAILURE() << "accepted " << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(CleanText, removesThousandsAndCompletesEmptyOrBareSign)
{
    Separators last = Spanish;
    EXPECT_EQ(cleanText(u"1.234.567,89"_s, last, Spanish), u"1234567,89");
    EXPECT_EQ(cleanText(QString(), last, Spanish), u"0");
    EXPECT_EQ(cleanText(u"-"_s, last, Spanish), u"-0");
    EXPECT_EQ(cleanText(u"-1,5"_s, last, Spanish), u"-1,5");
}

TEST(CleanText, convertsFromTheRememberedSeparatorsFirst)
{
    Separators last = Spanish;
    EXPECT_EQ(cleanText(u"1.234,56"_s, last, English), u"1234.56");
}

TEST(ConvertSeparators, exchangesSwappedSeparatorsInOnePass)
{
    Separators last = Spanish;
    EXPECT_EQ(convertSeparators(u"1.234.567,89"_s, last, English), u"1,234,567.89");
    EXPECT_EQ(last, English);
    EXPECT_EQ(convertSeparators(u"1,234,567.89"_s, last, English), u"1,234,567.89");
}

TEST(ConvertSeparators, mapsToNewCharacters)
{
    Separators last = Spanish;
    EXPECT_EQ(convertSeparators(u"1.234,5"_s, last, Separators{u'.', u' '}), u"1 234.5");
}

} // namespace

namespace {

TEST(FormatGeneral, showsUpTo15DigitsWithoutTrailingZeros)
{
    const std::pair<Amount, const char*> cases[] = {
        {416.67L, "416,67"},
        {2500.0L, "2500"},
        {0.0L, "0"},
        {-0.0L, "0"},
        {972.8L, "972,8"},
        {60.0L, "60"},
        {1.45519152283669e-11L, "1,45519152283669E-11"},
        {0.00001L, "0,00001"},
        {0.0000099L, "9,9E-6"},
        {123456789012345.0L, "123456789012345"},
        {1234567890123456.0L, "1,23456789012346E15"},
        {1e20L, "1E20"},
        {-1.125L, "-1,125"},
        {2.0L / 3.0L, "0,666666666666667"},
        {99356.01L, "99356,01"},
        {1.1234567890123456789L, "1,12345678901235"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(formatGeneral(value, u',').toStdString(), expected) << static_cast<double>(value);
}

TEST(parseInteger, acceptsDecimalAndHexadecimalIntegers)
{
    const std::pair<const char16_t*, std::int32_t> valid[] = {
        {u"110", 110},
        {u"  120", 120},
        {u"+7", 7},
        {u"-0", 0},
        {u"$6E", 110},
        {u"x6e", 110},
        {u"X6E", 110},
        {u"0x6E", 110},
        {u"0X6e", 110},
        {u"-$10", -16},
        {u"$0", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"$7FFFFFFF", 2147483647},
        {u"007", 7},
    };
    for (const auto& [text, value] : valid) {
        const auto parsed = parseInteger(QString::fromUtf16(text));
        ASSERT_TRUE(parsed.has_value()) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(*parsed, value);
    }
}

TEST(parseInteger, refusesAnythingElse)
{
    const char16_t* invalid[] = {u"",
                                 u"   ",
                                 u"110 ",
                                 u"110,5",
                                 u"abc",
                                 u"110%",
                                 u"1 1",
                                 u"2147483648",
                                 u"-2147483649",
                                 u"$",
                                 u"0x",
                                 u"$6G",
                                 u"$80000000",
                                 u"--1",
                                 u"\t110",
                                 u"1e3",
                                 u"99999999999999999999"};
    for (const char16_t* text : invalid)
        EXPECT_FALSE(parseInteger(QString::fromUtf16(text)).has_value())
            << QString::fromUtf16(text).toStdString();
}

} // namespace
