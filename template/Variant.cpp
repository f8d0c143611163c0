// Variant: the dynamic value of data source fields and of running aggregates.
#include "Variant.h"

#include "DatePatterns.h"
#include "NumberPatterns.h"

#include <cmath>

namespace templating {

Variant::Variant(const Variant& other)
    : m_kind(other.m_kind), m_integer(other.m_integer), m_number(other.m_number)
{
    if (other.m_kind == Kind::Text)
        m_text = other.m_text;
}

Variant& Variant::operator=(const Variant& other)
{
    m_kind = other.m_kind;
    m_integer = other.m_integer;
    m_number = other.m_number;
    if (other.m_kind == Kind::Text)
        m_text = other.m_text;
    else
        m_text.clear();
    return *this;
}

Variant Variant::null()
{
    Variant v;
    v.m_kind = Kind::Null;
    return v;
}

Variant Variant::fromInteger(std::int64_t value)
{
    Variant v;
    v.m_kind = Kind::Integer;
    v.m_integer = value;
    v.m_number = static_cast<long double>(value);
    return v;
}

Variant Variant::fromFloat(long double value)
{
    Variant v;
    v.m_kind = Kind::Float;
    v.m_number = value;
    return v;
}

Variant Variant::fromDateTime(long double days)
{
    Variant v = fromFloat(days);
    v.m_kind = Kind::DateTime;
    return v;
}

Variant Variant::fromText(std::string value)
{
    Variant v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(value);
    return v;
}

std::int64_t Variant::asInteger() const
{
    return m_kind == Kind::Integer ? m_integer : static_cast<std::int64_t>(std::llround(m_number));
}

long double Variant::asNumber() const
{
    return m_number;
}

Variant operator+(const Variant& a, const Variant& b)
{
    using Kind = Variant::Kind;
    if (a.isEmpty())
        return b.isEmpty() ? Variant::fromInteger(0) : b;
    if (b.isEmpty())
        return a;
    if (a.isNull() || b.isNull())
        return Variant::null();
    if (a.m_kind == Kind::Integer && b.m_kind == Kind::Integer)
        return Variant::fromInteger(a.m_integer + b.m_integer);
    if (a.isNumeric() && b.isNumeric()) {
        const long double sum = a.m_number + b.m_number;
        if (a.m_kind == Kind::DateTime || b.m_kind == Kind::DateTime)
            return Variant::fromDateTime(sum);
        return Variant::fromFloat(sum);
    }
    return Variant::fromText(a.m_text + b.m_text);
}

Variant& Variant::operator+=(const Variant& other)
{
    // Running sums of numbers add in place, as operator+ would.
    if (m_kind == Kind::Integer && other.m_kind == Kind::Integer) {
        m_integer += other.m_integer;
        m_number = static_cast<long double>(m_integer);
    } else if (isNumeric() && other.isNumeric()) {
        m_number += other.m_number;
        if (other.m_kind == Kind::DateTime)
            m_kind = Kind::DateTime;
        else if (m_kind == Kind::Integer)
            m_kind = Kind::Float;
    } else {
        *this = *this + other;
    }
    return *this;
}

Variant Variant::divide(std::int64_t divisor) const
{
    return fromFloat(m_number / static_cast<long double>(divisor));
}

Variant Variant::intDivide(std::int64_t divisor) const
{
    const std::int64_t quotient = asInteger() / divisor;
    return m_kind == Kind::DateTime ? fromDateTime(static_cast<long double>(quotient))
                                    : fromInteger(quotient);
}

bool operator==(const Variant& a, const Variant& b)
{
    if (a.isNull() || b.isNull() || a.isEmpty() || b.isEmpty())
        return a.m_kind == b.m_kind;
    if (a.isNumeric() && b.isNumeric())
        return a.m_number == b.m_number;
    if (a.isNumeric() != b.isNumeric())
        return false;
    return a.m_text == b.m_text;
}

std::string Variant::toText(const FormatSettings& settings) const
{
    switch (m_kind) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Integer:
        return std::to_string(m_integer);
    case Kind::Float:
        return formatGeneral(m_number, GeneralDigits, settings);
    case Kind::DateTime:
        return formatDateTime({}, m_number, settings);
    case Kind::Text:
        break;
    }
    return m_text;
}

} // namespace templating
