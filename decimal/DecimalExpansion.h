// The decimal expansion of an extended value, and its rounding halves away from zero.
#pragma once

#include <string>

namespace decimal {

// Significant digits an expansion holds: those an extended value keeps through text and back.
inline constexpr int ExpansionDigits = 18;

// value = 0.digits × 10^intDigits, digits without leading or trailing zeros; no digits means
// zero (and is what infinities and NaN give).
struct Expansion
{
    bool negative = false;
    std::string digits;
    int intDigits = 0;

    bool isZero() const { return digits.empty(); }
    // The digit at `index` from the first significant one; "0" outside the digits.
    char at(int index) const
    {
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
    }
};

// The value's expansion to ExpansionDigits significant digits, whatever the C library's locale.
Expansion expand(long double x);

// Keeps the first `keep` significant digits, rounding halves away from zero.
void roundToDigits(Expansion& e, int keep);

} // namespace decimal
