// The decimal expansion and its rounding: halves away from zero on the decimal digits, the
// carry, and the limits of an 18-digit expansion.
#include "DecimalExpansion.h"
#include "DigitText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace decimal;

namespace {

TEST(roundToDecimals, halvesGoAwayFromZeroOnTheDecimalDigits)
{
    struct
    {
        long double x;
        int decimals;
        long double expected;
    } const cases[] = {
        {0.125L, 2, 0.13L},     {-0.125L, 2, -0.13L},  {0.135L, 2, 0.14L},  {1.005L, 2, 1.01L},
        {-1.005L, 2, -1.01L},   {2.5L, 0, 3},          {-2.5L, 0, -3},      {0.5L, 0, 1},
        {-0.5L, 0, -1},         {0.124999L, 2, 0.12L}, {-0.004L, 2, -0.0L}, {9.995L, 2, 10},
        {999999.995L, 2, 1e6L}, {1250, -2, 1300},      {-1250, -2, -1300},  {6010.12L, 2, 6010.12L},
        {1e300L, 2, 1e300L},    {1e-300L, 2, 0},
    };
    for (const auto& c : cases) {
        const long double rounded = roundToDecimals(c.x, c.decimals);
        EXPECT_EQ(rounded, c.expected) << static_cast<double>(c.x) << " to " << c.decimals;
        EXPECT_EQ(std::signbit(rounded), std::signbit(c.expected)) << static_cast<double>(c.x);
    }
    EXPECT_TRUE(std::isnan(roundToDecimals(std::numeric_limits<long double>::quiet_NaN(), 2)));
    EXPECT_EQ(roundToDecimals(-std::numeric_limits<long double>::infinity(), 2),
              -std::numeric_limits<long double>::infinity());
}

TEST(expand, eighteenSignificantDigitsAtTheLimitsOfTheRange)
{
    struct
    {
        long double x;
        const char* digits;
        int intDigits;
        bool negative;
    } const cases[] = {
        {0, "", 0, false},
        {-0.0L, "", 0, true},
        {1, "1", 1, false},
        {-6010.12L, "601012", 4, true},
        {0.1L, "1", 0, false},
        {123456789012345678.0L, "123456789012345678", 18, false},
        // The 19th digit rounds the 18th.
        {1234567890123456789.0L, "123456789012345679", 19, false},
        {LDBL_MAX, "118973149535723177", 4933, false},
        {LDBL_MIN, "336210314311209351", -4931, false},
        {LDBL_TRUE_MIN, "36451995318824746", -4950, false},
        {std::numeric_limits<long double>::infinity(), "", 0, false},
    };
    for (const auto& c : cases) {
        const Expansion e = expand(c.x);
        EXPECT_EQ(e.digits, c.digits) << static_cast<double>(c.x);
        EXPECT_EQ(e.intDigits, c.intDigits) << c.digits;
        EXPECT_EQ(e.negative, c.negative) << c.digits;
    }
}

TEST(roundToDigits, carriesThroughNinesAndDropsTrailingZeros)
{
    struct
    {
        const char* digits;
        int intDigits;
        int keep;
        const char* expectedDigits;
        int expectedIntDigits;
    } const cases[] = {
        {"9995", 1, 3, "1", 2}, {"12345", 3, 4, "1235", 3}, {"12344", 3, 4, "1234", 3},
        {"105", 1, 2, "11", 1}, {"55", 0, 0, "1", 1},       {"45", 0, 0, "", 0},
        {"12", 2, 5, "12", 2},  {"5", -2, -1, "", -2},
    };
    for (const auto& c : cases) {
        Expansion e{false, c.digits, c.intDigits};
        roundToDigits(e, c.keep);
        EXPECT_EQ(e.digits, c.expectedDigits) << c.digits << " keep " << c.keep;
        EXPECT_EQ(e.intDigits, c.expectedIntDigits) << c.digits << " keep " << c.keep;
    }
}

TEST(formatGeneral, fixedWithinItsDigitsScientificBeyond)
{
    const std::pair<long double, const char*> cases[] = {
        {416.67L, "416.67"},
        {2500, "2500"},
        {0, "0"},
        {-0.5L, "-0.5"},
        {0.00001L, "0.00001"},
        {0.000009L, "9E-6"},
        {1.45519152283669e-11L, "1.45519152283669E-11"},
        {999999999999999.4L, "999999999999999"},
        {999999999999999.5L, "1E15"},
        {1e20L, "1E20"},
        {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<long double>::infinity(), "-INF"},
    };
    for (const auto& [x, text] : cases)
        EXPECT_EQ(formatGeneral(x, 15), text) << static_cast<double>(x);
}

} // namespace
