// Digit-level number text shared by the amount fields and the template engine: fixed digits,
// thousands groups, the general format and hexadecimal digits.
#include "DigitText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace decimal {

bool FixedDigits::hasNonZeroDigit() const
{
    const auto nonZero = [](char c) { return c != '0'; };
    return std::any_of(integer.begin(), integer.end(), nonZero) ||
           std::any_of(decimals.begin(), decimals.end(), nonZero);
}

FixedDigits fixedDigits(Expansion value, int minIntegerDigits, int minDecimals, int maxDecimals)
{
    roundToDigits(value, value.intDigits + maxDecimals);
    FixedDigits fixed;
    for (int i = 0; i < value.intDigits && !value.isZero(); ++i)
        fixed.integer += value.at(i);
    if (static_cast<int>(fixed.integer.size()) < minIntegerDigits)
        fixed.integer.insert(0, static_cast<std::size_t>(minIntegerDigits) - fixed.integer.size(),
                             '0');
    for (int i = 0; i < maxDecimals; ++i)
        fixed.decimals += value.at(value.intDigits + i);
    while (static_cast<int>(fixed.decimals.size()) > minDecimals && fixed.decimals.back() == '0')
        fixed.decimals.pop_back();
    return fixed;
}

std::string groupThousands(std::string_view integer, char separator)
{
    std::string text;
    text.reserve(integer.size() + integer.size() / 3);
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            text += separator;
        text += integer[i];
    }
    return text;
}

std::string formatGeneral(long double value, int precision)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    Expansion d = expand(value);
    roundToDigits(d, precision);
    if (d.isZero())
        return "0";
    const std::string sign = d.negative ? "-" : "";
    // Fixed notation from 0.00001 up to `precision` integer digits.
    if (d.intDigits > precision || d.intDigits < -4) {
        std::string text = sign + d.digits[0];
        if (d.digits.size() > 1)
            text += '.' + d.digits.substr(1);
        return text + "E" + std::to_string(d.intDigits - 1);
    }
    const FixedDigits fixed = fixedDigits(d, 1, 0, std::max(precision - d.intDigits, 0));
    return sign + fixed.integer + (fixed.decimals.empty() ? "" : "." + fixed.decimals);
}

long double roundToDecimals(long double x, int decimals, int maxDigits)
{
    if (!std::isfinite(x))
        return x;
    Expansion e = expand(x);
    const int keep = e.intDigits + decimals;
    roundToDigits(e, maxDigits > 0 ? std::min(keep, maxDigits) : keep);
    if (e.isZero())
        return e.negative ? -0.0L : 0.0L;
    // 0.digits × 10^intDigits, read back as text.
    const std::string text =
        (e.negative ? "-0." : "0.") + e.digits + 'e' + std::to_string(e.intDigits);
    long double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

int hexDigitValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A') + 10;
    return -1;
}

} // namespace decimal
