// Variant: the dynamic value of data source fields and of running aggregates.
#pragma once

#include <cstdint>
#include <string>

namespace templating {

struct FormatSettings;

class Variant
{
public:
    enum class Kind : std::uint8_t
    {
        Empty,
        Null,
        Integer,
        Float,
        DateTime,
        Text
    };

    Variant() = default; // empty (unassigned)
    // Copies skip the text of a value that is not text: aggregates copy numbers per record.
    Variant(const Variant& other);
    Variant& operator=(const Variant& other);
    Variant(Variant&& other) noexcept = default;
    Variant& operator=(Variant&& other) noexcept = default;
    ~Variant() = default;
    static Variant null();
    static Variant fromInteger(std::int64_t value);
    static Variant fromFloat(long double value);
    // Days since 30 December 1899; the fraction is the time of day.
    static Variant fromDateTime(long double days);
    static Variant fromText(std::string value);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isNumeric() const
    {
        return m_kind == Kind::Integer || m_kind == Kind::Float || m_kind == Kind::DateTime;
    }
    std::int64_t asInteger() const;
    long double asNumber() const;

    // Empty counts as 0; null makes the result null.
    friend Variant operator+(const Variant& a, const Variant& b);
    Variant& operator+=(const Variant& other);
    // Real division.
    Variant divide(std::int64_t divisor) const;
    // Integer division, the value rounded to an integer first.
    Variant intDivide(std::int64_t divisor) const;
    // Numbers compare by value, anything else by text.
    friend bool operator<(const Variant& a, const Variant& b)
    {
        return a.isNumeric() && b.isNumeric() ? a.m_number < b.m_number : a.m_text < b.m_text;
    }
    friend bool operator>(const Variant& a, const Variant& b) { return b < a; }
    friend bool operator==(const Variant& a, const Variant& b);

    std::string toText(const FormatSettings& settings) const;

private:
    Kind m_kind = Kind::Empty;
    std::int64_t m_integer = 0;
    long double m_number = 0;
    std::string m_text;
};

} // namespace templating
