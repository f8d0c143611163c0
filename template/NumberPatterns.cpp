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

// One element of a pattern section: literal text, a digit placeholder, the decimal point or the
// exponent.
struct PatternItem
{
    enum class Kind : std::uint8_t
    {
        Literal,
        Digit,
        DecimalPoint,
        Exponent
    } kind;
    std::string literal;
};

// One section of a number pattern, taken apart.
struct NumberPattern
{
    std::vector<PatternItem> items;
    int integerPlaces = 0;
    int integerZeros = 0;
    int decimalZeros = 0;
    int decimalPlaces = 0;
    bool grouping = false;
    bool exponentPlus = false;
    int exponentDigits = -1; // no exponent
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
    using Kind = PatternItem::Kind;
    NumberPattern p;
    const auto literal = [&p](std::string_view text) {
        if (p.items.empty() || p.items.back().kind != Kind::Literal)
            p.items.push_back({Kind::Literal, {}});
        p.items.back().literal += text;
    };
    bool afterDecimal = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = section.find(c, i + 1);
            literal(std::string_view(section).substr(
                i + 1, close == std::string::npos ? std::string::npos : close - i - 1));
            i = close == std::string::npos ? section.size() : close;
        } else if (c == '0' || c == '#') {
            p.items.push_back({Kind::Digit, {}});
            if (afterDecimal) {
                ++p.decimalPlaces;
                if (c == '0')
                    p.decimalZeros = p.decimalPlaces;
            } else {
                ++p.integerPlaces;
                p.integerZeros += c == '0';
            }
        } else if (c == '.' && !afterDecimal) {
            afterDecimal = true;
            p.items.push_back({Kind::DecimalPoint, {}});
        } else if (c == ',') {
            p.grouping = true;
        } else if ((c == 'E' || c == 'e') && p.exponentDigits < 0 && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            p.exponentPlus = section[i + 1] == '+';
            p.exponentDigits = 0;
            for (i += 2; i < section.size() && section[i] == '0'; ++i)
                ++p.exponentDigits;
            --i;
            p.items.push_back({Kind::Exponent, {}});
        } else {
            literal(std::string_view(&c, 1));
        }
    }
    return p;
}

// Lays the digits out over the pattern's placeholders, literal text kept where it stands. The
// integer digits beyond the placeholders go to the first one; without integer placeholders they
// stand before the decimal point, or after the literal text when there is none.
std::string layOut(const NumberPattern& p, const decimal::FixedDigits& fixed,
                   const std::string& exponent, const FormatSettings& settings)
{
    using Kind = PatternItem::Kind;
    const std::string& integer = fixed.integer;
    const auto digits = static_cast<int>(integer.size());
    std::string text;
    // Writes the integer digits that stand `fromRight` places or more from the units.
    int written = 0;
    const auto writeIntegerDigits = [&](int fromRight) {
        for (; written < digits && digits - 1 - written >= fromRight; ++written) {
            text += integer[static_cast<std::size_t>(written)];
            const int place = digits - 1 - written;
            if (p.grouping && place > 0 && place % 3 == 0)
                text += settings.thousandSeparator;
        }
    };
    int integerPlace = 0;
    int decimalPlace = 0;
    bool afterDecimal = false;
    for (const PatternItem& item : p.items) {
        switch (item.kind) {
        case Kind::Literal:
            text += item.literal;
            break;
        case Kind::Digit:
            if (afterDecimal) {
                if (decimalPlace < static_cast<int>(fixed.decimals.size()))
                    text += fixed.decimals[static_cast<std::size_t>(decimalPlace)];
                ++decimalPlace;
            } else {
                writeIntegerDigits(p.integerPlaces - 1 - integerPlace++);
            }
            break;
        case Kind::DecimalPoint:
            writeIntegerDigits(0);
            afterDecimal = true;
            if (!fixed.decimals.empty())
                text += settings.decimalSeparator;
            break;
        case Kind::Exponent:
            writeIntegerDigits(0);
            text += exponent;
            break;
        }
    }
    if (written < digits) {
        // A section of literal text only: the digits follow it.
        writeIntegerDigits(0);
    }
    return text;
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
    decimal::FixedDigits fixed;
    std::string exponent;
    if (p.exponentDigits >= 0) {
        roundToDigits(d, 1 + p.decimalPlaces);
        const int power = d.digits.empty() ? 0 : d.intDigits - 1;
        d.intDigits = 1;
        fixed = decimal::fixedDigits(d, 1, p.decimalZeros, p.decimalPlaces);
        std::string powerDigits = std::to_string(std::abs(power));
        while (static_cast<int>(powerDigits.size()) < p.exponentDigits)
            powerDigits.insert(powerDigits.begin(), '0');
        exponent = std::string("E") + (power < 0 ? "-" : p.exponentPlus ? "+" : "") + powerDigits;
    } else {
        fixed = decimal::fixedDigits(d, p.integerZeros, p.decimalZeros, p.decimalPlaces);
    }
    const bool nonZero = fixed.hasNonZeroDigit();
    const std::string sign = showSign && d.negative && nonZero ? "-" : "";
    return sign + layOut(p, fixed, exponent, settings);
}

} // namespace templating
