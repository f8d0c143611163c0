// The decimal expansion of an extended value, and its rounding halves away from zero.
#include "DecimalExpansion.h"

#include <charconv>
#include <cmath>

namespace decimal {

namespace {

void stripTrailingZeros(Expansion& e)
{
    while (!e.digits.empty() && e.digits.back() == '0')
        e.digits.pop_back();
}

} // namespace

Expansion expand(long double x)
{
    Expansion e;
    e.negative = std::signbit(x);
    if (x == 0 || !std::isfinite(x))
        return e;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                      std::chars_format::scientific, ExpansionDigits - 1);
    const std::string text(buffer, result.ptr);
    const auto exponentAt = text.find('e');
    e.digits = text.substr(0, 1) + text.substr(2, exponentAt - 2);
    int exponent = 0;
    std::from_chars(text.data() + exponentAt + (text[exponentAt + 1] == '+' ? 2 : 1),
                    text.data() + text.size(), exponent);
    e.intDigits = exponent + 1;
    stripTrailingZeros(e);
    return e;
}

void roundToDigits(Expansion& e, int keep)
{
    if (keep >= static_cast<int>(e.digits.size()))
        return;
    if (keep < 0) {
        e.digits.clear();
        return;
    }
    const bool up = e.digits[keep] >= '5';
    e.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && e.digits[i] == '9')
            e.digits[i--] = '0';
        if (i < 0) {
            e.digits.insert(e.digits.begin(), '1');
            ++e.intDigits;
        } else {
            ++e.digits[i];
        }
    }
    stripTrailingZeros(e);
}

} // namespace decimal
