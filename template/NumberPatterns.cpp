// Numbers as text: format patterns, the general format and the locale's currency format.
#include "NumberPatterns.h"

#include "DigitText.h"

#include <algorithm>
#include <vector>

namespace templating {

namespace {

using Digits = decimal::Expansion;
using decimal::roundToDigits;

// The integer digits, then the decimal places after the separator when there are any.
std::string joined(const std::string& integer, const std::string& decimals, char separator)
{
    return decimals.empty() ? integer : integer + separator + decimals;
}

} // namespace

std::string formatGeneral(long double value, int precision, const FormatSettings& settings)
{
    std::string text = decimal::formatGeneral(
        value, std::clamp(precision <= 0 ? GeneralDigits : precision, 1, decimal::ExpansionDigits));
    std::replace(text.begin(), text.end(), '.', settings.decimalSeparator);
    return text;
}

std::string formatCurrency(long double value, const FormatSettings& settings)
{
    const Digits d = decimal::expand(value);
    const decimal::FixedDigits fixed =
        decimal::fixedDigits(d, 1, settings.currencyDecimals, settings.currencyDecimals);
    const std::string number =
        joined(decimal::groupThousands(fixed.integer, settings.thousandSeparator), fixed.decimals,
               settings.decimalSeparator);
    const bool negative = d.negative && fixed.hasNonZeroDigit();
    const std::string& symbol = settings.currencyString;
    std::string text;
    switch (settings.currencyFormat) {
    case 1:
        text = number + symbol;
        break;
    case 2:
        text = symbol + " " + number;
        break;
    case 3:
        text = number + " " + symbol;
        break;
    default:
        text = symbol + number;
        break;
    }
    return negative ? "-" + text : text;
}

namespace {

// One section of a number pattern, taken apart.
struct NumberPattern
{
    std::string prefix, suffix;
    int integerZeros = 0;
    int decimalZeros = 0;
    int decimalPlaces = 0;
    bool grouping = false;
    bool exponent = false;
    bool exponentPlus = false;
    int exponentDigits = 0;
};

std::vector<std::string> sections(const std::string& pattern)
{
    std::vector<std::string> parts(1);
    char quote = 0;
    for (const char c : pattern) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    return parts;
}

NumberPattern parseSection(const std::string& section)
{
    NumberPattern p;
    bool seenPlaceholder = false;
    bool afterDecimal = false;
    std::string literal;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = section.find(c, i + 1);
            literal += section.substr(i + 1, close == std::string::npos ? std::string::npos
                                                                        : close - i - 1);
            i = close == std::string::npos ? section.size() : close;
        } else if (c == '0' || c == '#') {
            if (!seenPlaceholder)
                p.prefix = literal;
            literal.clear();
            seenPlaceholder = true;
            if (afterDecimal) {
                ++p.decimalPlaces;
                if (c == '0')
                    p.decimalZeros = p.decimalPlaces;
            } else if (c == '0') {
                ++p.integerZeros;
            }
        } else if (c == '.' && !afterDecimal) {
            afterDecimal = true;
            seenPlaceholder = true;
        } else if (c == ',') {
            p.grouping = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            p.exponent = true;
            p.exponentPlus = section[i + 1] == '+';
            i += 2;
            while (i < section.size() && section[i] == '0') {
                ++p.exponentDigits;
                ++i;
            }
            --i;
            literal.clear();
        } else {
            literal += c;
        }
    }
    if (seenPlaceholder)
        p.suffix = literal;
    else
        p.prefix = literal;
    return p;
}

} // namespace

std::string formatFloat(const std::string& pattern, long double value,
                        const FormatSettings& settings)
{
    if (pattern.empty())
        return formatGeneral(value, GeneralDigits, settings);
    const std::vector<std::string> parts = sections(pattern);
    std::string section = parts[0];
    bool showSign = true;
    if (value == 0 && parts.size() >= 3 && !parts[2].empty()) {
        section = parts[2];
    } else if (value < 0 && parts.size() >= 2 && !parts[1].empty()) {
        section = parts[1];
        showSign = false;
    }
    const NumberPattern p = parseSection(section);
    Digits d = decimal::expand(value);
    std::string body;
    if (p.exponent) {
        roundToDigits(d, 1 + p.decimalPlaces);
        const int exponent = d.digits.empty() ? 0 : d.intDigits - 1;
        d.intDigits = 1;
        const decimal::FixedDigits fixed =
            decimal::fixedDigits(d, 1, p.decimalZeros, p.decimalPlaces);
        std::string digits = std::to_string(std::abs(exponent));
        while (static_cast<int>(digits.size()) < p.exponentDigits)
            digits.insert(digits.begin(), '0');
        body = joined(fixed.integer, fixed.decimals, settings.decimalSeparator) + "E" +
               (exponent < 0     ? "-"
                : p.exponentPlus ? "+"
                                 : "") +
               digits;
    } else {
        const decimal::FixedDigits fixed =
            decimal::fixedDigits(d, p.integerZeros, p.decimalZeros, p.decimalPlaces);
        body =
            joined(p.grouping ? decimal::groupThousands(fixed.integer, settings.thousandSeparator)
                              : fixed.integer,
                   fixed.decimals, settings.decimalSeparator);
    }
    const bool nonZero = body.find_first_of("123456789") != std::string::npos;
    const std::string sign = showSign && d.negative && nonZero ? "-" : "";
    return sign + p.prefix + body + p.suffix;
}

} // namespace templating
