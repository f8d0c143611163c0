// TVariant: the dynamic value of data source fields and of running aggregates.
#pragma once

#include <cstdint>
#include <string>

struct TFormatSettings;

class TVariant
{
public:
    enum class Kind : std::uint8_t
    {
        Empty,
        Null,
        Integer,
        Float,
        Currency,
        DateTime,
        Text,
        Boolean
    };

    TVariant() = default; // empty (unassigned)
    static TVariant Null();
    static TVariant Integer(std::int64_t value);
    static TVariant Float(long double value);
    static TVariant Currency(long double value);
    // Days since 30 December 1899; the fraction is the time of day.
    static TVariant DateTime(long double days);
    static TVariant Text(std::string value);
    static TVariant Boolean(bool value);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isNumeric() const;
    std::int64_t asInteger() const;
    long double asNumber() const;
    const std::string& asText() const { return m_text; }

    // Empty counts as 0; null makes the result null.
    friend TVariant operator+(const TVariant& a, const TVariant& b);
    // Real division; a currency stays currency.
    TVariant Divide(std::int64_t divisor) const;
    // Integer division, the value rounded to an integer first.
    TVariant IntDivide(std::int64_t divisor) const;
    // Numbers compare by value, anything else by text.
    friend bool operator<(const TVariant& a, const TVariant& b);
    friend bool operator>(const TVariant& a, const TVariant& b) { return b < a; }
    friend bool operator==(const TVariant& a, const TVariant& b);

    std::string ToText(const TFormatSettings& settings) const;

private:
    Kind m_kind = Kind::Empty;
    std::int64_t m_integer = 0;
    long double m_number = 0;
    std::string m_text;
};
