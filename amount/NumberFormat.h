// Display text of amounts and its parsing: formats, separators and the conversion error.
#pragma once

#include "Amount.h"

#include <QChar>
#include <QObject>
#include <QString>

#include <cstdint>
#include <stdexcept>

namespace amount {

Q_NAMESPACE

enum class NumberFormat : std::int8_t
{
    Standard = 0,
    Thousands = 1,
    Scientific = 2,
    Engineering = 3
};
Q_ENUM_NS(NumberFormat)

// The decimal and thousands separators of a locale, single characters.
struct Separators
{
    QChar decimal{u'.'};
    QChar thousands{u','};

    friend bool operator==(const Separators&, const Separators&) = default;
};

// Raised when a text is not a number; the message names the cleaned text.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString& cleanedText);
};

inline constexpr int MinDecimals = -1; // -1: floating number of decimals
inline constexpr int MaxDecimals = 14;

// The display text of x with the given decimals (-1..14), format and separators.
QString formatValue(Amount x, int decimals, NumberFormat format, Separators separators);

// The general form with up to 15 significant digits and no grouping: fixed notation without
// trailing zeros, or scientific ("1,5E-11", "1E20") below 0.00001 or beyond 15 integer digits.
QString formatGeneral(Amount x, QChar decimalSeparator);

// Rewrites s from the separators in `last` to `current`, one pass, and makes `last` current.
QString convertSeparators(const QString& s, Separators& last, Separators current);

// The parseable form of a display text written with the separators `last`: converted to the
// current ones, thousands separators removed, "" read as "0" and "-" as "-0".
QString cleanText(const QString& s, Separators last, Separators current);

// Parses a cleaned text; throws ConversionError when it is not a number in the extended range.
Amount parseValue(const QString& cleaned, QChar decimalSeparator);

// The value a field with `decimals` (0 or more) holds once it shows x: x rounded to those
// decimals halves away from zero, at most 15 significant digits, as its text reads back.
// Throws ConversionError for what formats as no number (NaN, infinities).
Amount shownValue(Amount x, int decimals);

// x rounded to whole cents, halves away from zero on its decimal digits, however large; 0 is
// never negative. Every amount of money is rounded by this.
Amount roundToCents(Amount x);

} // namespace amount
