// Digit-level number text shared by the amount fields and the template engine: fixed digits,
// thousands groups, the general format and hexadecimal digits.
#pragma once

#include "DecimalExpansion.h"

#include <string>
#include <string_view>

namespace decimal {

// The digits of |value| rounded to `maxDecimals` places (halves away from zero): at least
// `minIntegerDigits` integer digits, and between `minDecimals` and `maxDecimals` decimal
// places, trailing zeros beyond the minimum dropped.
struct FixedDigits
{
    std::string integer;
    std::string decimals;

    // False when every digit shown is 0: the value rounds to zero.
    bool hasNonZeroDigit() const;
};
FixedDigits fixedDigits(Expansion value, int minIntegerDigits, int minDecimals, int maxDecimals);

// The integer digits with `separator` between groups of three, counted from the right.
std::string groupThousands(std::string_view integer, char separator);

// The general format with at most `precision` significant digits and "." as the decimal
// point: fixed notation without trailing zeros from 0.00001 up to `precision` integer
// digits, scientific otherwise ("1.5E-11", "1E20"); "NAN", "INF" and "-INF" for the rest.
std::string formatGeneral(long double value, int precision);

// x rounded to `decimals` places, halves away from zero on its decimal digits (so 0.125
// gives 0.13 although 0.125 is not exact in binary), keeping at most `maxDigits` significant
// digits when that is above 0.
long double roundToDecimals(long double x, int decimals, int maxDigits = 0);

// The value of a hexadecimal digit (either case); -1 for any other character.
int hexDigitValue(char32_t c);

} // namespace decimal
