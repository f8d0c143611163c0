// Display text of amounts and its parsing: formats, separators and the conversion error.
#include "NumberFormat.h"

#include "DigitText.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace amount {

ConversionError::ConversionError(const QString& cleanedText)
    : std::runtime_error(
          QStringLiteral("'%1' is not a valid floating point value").arg(cleanedText).toStdString())
{
}

namespace {

// Significant digits a display shows at most.
constexpr int DisplayDigits = 15;
// Integer digits beyond which Standard and Thousands switch to the general scientific form.
constexpr int MaxFixedIntegerDigits = 18;

using decimal::Expansion;
using decimal::roundToDigits;

QString signOf(const Expansion& d)
{
    return d.negative && !d.isZero() ? QStringLiteral("-") : QString();
}

// Decimal places from position `first` of the expansion: at least minDecimals, trailing
// zeros beyond them dropped.
QString decimalPlaces(const Expansion& d, int first, int minDecimals, int maxDecimals)
{
    QString places;
    for (int i = 0; i < maxDecimals; ++i)
        places.append(QLatin1Char(d.at(first + i)));
    while (places.size() > minDecimals && places.endsWith(u'0'))
        places.chop(1);
    return places;
}

QString fixedText(const Expansion& d, int minDecimals, int maxDecimals, bool grouped,
                  Separators seps)
{
    const decimal::FixedDigits fixed = decimal::fixedDigits(d, 1, minDecimals, maxDecimals);
    QString text;
    if (d.negative && fixed.hasNonZeroDigit())
        text += u'-';
    if (grouped) {
        // The digits are ASCII, so a placeholder comma marks each group.
        for (const char c : decimal::groupThousands(fixed.integer, ','))
            text += c == ',' ? seps.thousands : QChar(QLatin1Char(c));
    } else {
        text += QLatin1String(fixed.integer);
    }
    if (!fixed.decimals.empty())
        text += seps.decimal + QLatin1String(fixed.decimals);
    return text;
}

QString scientificText(Expansion d, int minDecimals, int maxDecimals, Separators seps)
{
    roundToDigits(d, 1 + maxDecimals);
    const int exponent = d.isZero() ? 0 : d.intDigits - 1;
    const QString places = decimalPlaces(d, 1, minDecimals, maxDecimals);
    QString text = signOf(d) + QLatin1Char(d.at(0));
    if (!places.isEmpty())
        text += seps.decimal + places;
    return text + u'E' + QString::number(exponent);
}

// Parses a plain C-locale number text, whatever the process's C-library locale is.
Amount parseCNumber(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtold_l(text.c_str(), nullptr, cLocale);
}

QString engineeringText(Amount x, int decimals, Separators seps)
{
    const auto k = static_cast<long>(std::trunc(std::log(std::fabs(x)) / std::log(10.0L) / 3));
    const long exponent = 3 * k;
    const Amount mantissa = x / parseCNumber("1E" + std::to_string(exponent));
    // The mantissa keeps the display's 15 significant digits: 14 decimals after one integer
    // digit, 13 after two, 12 after three.
    int places = 14;
    if (mantissa > 9)
        places = 13;
    if (mantissa > 99)
        places = 12;
    if (decimals != -1 && decimals < places)
        places = decimals;
    const int minDecimals = decimals > 0 ? places : 0;
    return fixedText(decimal::expand(mantissa), minDecimals, places, false, seps) + u'E' +
           QString::number(exponent);
}

} // namespace

QString formatGeneral(Amount x, QChar decimalSeparator)
{
    QString text = QString::fromLatin1(decimal::formatGeneral(x, DisplayDigits));
    text.replace(u'.', decimalSeparator);
    return text;
}

QString formatValue(Amount x, int decimals, NumberFormat format, Separators seps)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (format == NumberFormat::Engineering && x != 0)
        return engineeringText(x, decimals, seps);

    const Expansion value = decimal::expand(x);
    const int minDecimals = decimals > 0 ? decimals : 0;
    const int maxDecimals = decimals < 0 ? MaxDecimals : decimals;
    if (format == NumberFormat::Scientific || format == NumberFormat::Engineering)
        return scientificText(value, minDecimals, maxDecimals, seps);

    const bool grouped = format == NumberFormat::Thousands;
    Expansion rounded = value;
    roundToDigits(rounded, rounded.intDigits + maxDecimals);
    if (!rounded.isZero() && rounded.intDigits > MaxFixedIntegerDigits)
        return formatGeneral(x, seps.decimal);

    const QString text = fixedText(value, minDecimals, maxDecimals, grouped, seps);
    if (!text.contains(seps.decimal))
        return text;

    // At most 15 significant digits in Thousands and with fixed decimals.
    const int integerDigits = rounded.isZero() || rounded.intDigits <= 0 ? 1 : rounded.intDigits;
    const int room = DisplayDigits - integerDigits;
    if (decimals < 0)
        return grouped ? fixedText(value, 0, std::max(room, 0), true, seps) : text;
    if (room >= 1 && room < decimals)
        return fixedText(value, room, room, grouped, seps) + QString(decimals - room, u'0');
    if (room <= 0) {
        Expansion limited = value;
        roundToDigits(limited, DisplayDigits);
        return fixedText(limited, decimals, decimals, grouped, seps);
    }
    return text;
}

QString convertSeparators(const QString& s, Separators& last, Separators current)
{
    QString converted = s;
    for (QChar& c : converted) {
        if (c == last.decimal)
            c = current.decimal;
        else if (c == last.thousands)
            c = current.thousands;
    }
    last = current;
    return converted;
}

QString cleanText(const QString& s, Separators last, Separators current)
{
    QString cleaned = last == current ? s : convertSeparators(s, last, current);
    cleaned.remove(current.thousands);
    if (cleaned.isEmpty())
        return QStringLiteral("0");
    if (cleaned == u"-")
        return QStringLiteral("-0");
    return cleaned;
}

Amount parseValue(const QString& cleaned, QChar decimalSeparator)
{
    // blanks, sign, digits with at most one decimal separator, exponent, blanks
    std::string number;
    qsizetype i = 0;
    const qsizetype n = cleaned.size();
    const auto skipBlanks = [&] {
        while (i < n && cleaned[i] == u' ')
            ++i;
    };
    const auto isDigit = [&](qsizetype at) {
        return at < n && cleaned[at] >= u'0' && cleaned[at] <= u'9';
    };

    skipBlanks();
    if (i < n && (cleaned[i] == u'+' || cleaned[i] == u'-'))
        number += static_cast<char>(cleaned[i++].unicode());
    // A leading zero keeps a bare separator ("," or "-,") a number for the C parser.
    number += '0';
    bool separatorSeen = false;
    qsizetype mantissaLength = 0;
    for (; i < n; ++i, ++mantissaLength) {
        if (isDigit(i)) {
            number += static_cast<char>(cleaned[i].unicode());
        } else if (cleaned[i] == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            number += '.';
        } else {
            break;
        }
    }
    if (mantissaLength == 0)
        throw ConversionError(cleaned);
    if (i < n && (cleaned[i] == u'E' || cleaned[i] == u'e')) {
        ++i;
        std::string exponent = "e";
        if (i < n && (cleaned[i] == u'+' || cleaned[i] == u'-'))
            exponent += static_cast<char>(cleaned[i++].unicode());
        std::string digits;
        for (; isDigit(i); ++i)
            digits += static_cast<char>(cleaned[i].unicode());
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        // Any exponent this long is far outside the extended range.
        if (digits.size() > 6)
            digits = "999999";
        number += exponent + (digits.empty() ? "0" : digits);
    }
    skipBlanks();
    if (i != n)
        throw ConversionError(cleaned);
    const Amount value = parseCNumber(number);
    if (std::isinf(value))
        throw ConversionError(cleaned);
    return value;
}

Amount shownValue(Amount x, int decimals)
{
    if (!std::isfinite(x))
        throw ConversionError(formatValue(x, decimals, NumberFormat::Thousands, Separators{}));
    // Decimals are shown only within 15 significant digits; a whole number shows every integer
    // digit up to the general form's, which has 15 again.
    constexpr Amount FirstGeneral = 999999999999999999.5L;
    const bool limited = decimals > 0 || std::fabs(x) >= FirstGeneral;
    // A shown zero has no sign.
    return decimal::roundToDecimals(x, decimals, limited ? DisplayDigits : 0) + Amount{0};
}

Amount roundToCents(Amount x)
{
    constexpr int CentDecimals = 2;
    return decimal::roundToDecimals(x, CentDecimals) + Amount{0};
}

} // namespace amount
