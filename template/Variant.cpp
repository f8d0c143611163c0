// TVariant: the dynamic value of data source fields and of running aggregates.
#include "Variant.h"

#include "FormatSettings.h"

#include <cmath>

TVariant TVariant::Null()
{
    TVariant v;
    v.m_kind = Kind::Null;
    return v;
}

TVariant TVariant::Integer(std::int64_t value)
{
    TVariant v;
    v.m_kind = Kind::Integer;
    v.m_integer = value;
    v.m_number = static_cast<long double>(value);
    return v;
}

TVariant TVariant::Float(long double value)
{
    TVariant v;
    v.m_kind = Kind::Float;
    v.m_number = value;
    return v;
}

TVariant TVariant::Currency(long double value)
{
    TVariant v = Float(value);
    v.m_kind = Kind::Currency;
    return v;
}

TVariant TVariant::DateTime(long double days)
{
    TVariant v = Float(days);
    v.m_kind = Kind::DateTime;
    return v;
}

TVariant TVariant::Text(std::string value)
{
    TVariant v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(value);
    return v;
}

TVariant TVariant::Boolean(bool value)
{
    TVariant v = Integer(value ? 1 : 0);
    v.m_kind = Kind::Boolean;
    return v;
}

bool TVariant::isNumeric() const
{
    switch (m_kind) {
    case Kind::Integer:
    case Kind::Float:
    case Kind::Currency:
    case Kind::DateTime:
    case Kind::Boolean:
        return true;
    default:
        return false;
    }
}

std::int64_t TVariant::asInteger() const
{
    return m_kind == Kind::Integer || m_kind == Kind::Boolean
               ? m_integer
               : static_cast<std::int64_t>(std::llround(m_number));
}

long double TVariant::asNumber() const
{
    return m_number;
}

TVariant operator+(const TVariant& a, const TVariant& b)
{
    using Kind = TVariant::Kind;
    if (a.isEmpty())
        return b.isEmpty() ? TVariant::Integer(0) : b;
    if (b.isEmpty())
        return a;
    if (a.isNull() || b.isNull())
        return TVariant::Null();
    if (a.m_kind == Kind::Integer && b.m_kind == Kind::Integer)
        return TVariant::Integer(a.m_integer + b.m_integer);
    if (a.isNumeric() && b.isNumeric()) {
        const long double sum = a.m_number + b.m_number;
        if (a.m_kind == Kind::DateTime || b.m_kind == Kind::DateTime)
            return TVariant::DateTime(sum);
        if (a.m_kind == Kind::Float || b.m_kind == Kind::Float)
            return TVariant::Float(sum);
        return a.m_kind == Kind::Currency || b.m_kind == Kind::Currency ? TVariant::Currency(sum)
                                                                        : TVariant::Float(sum);
    }
    return TVariant::Text(a.m_text + b.m_text);
}

TVariant TVariant::Divide(std::int64_t divisor) const
{
    const long double quotient = m_number / static_cast<long double>(divisor);
    return m_kind == Kind::Currency ? Currency(quotient) : Float(quotient);
}

TVariant TVariant::IntDivide(std::int64_t divisor) const
{
    const std::int64_t quotient = asInteger() / divisor;
    return m_kind == Kind::DateTime ? DateTime(static_cast<long double>(quotient))
                                    : Integer(quotient);
}

bool operator<(const TVariant& a, const TVariant& b)
{
    if (a.isNumeric() && b.isNumeric())
        return a.m_number < b.m_number;
    return a.m_text < b.m_text;
}

bool operator==(const TVariant& a, const TVariant& b)
{
    if (a.isNull() || b.isNull() || a.isEmpty() || b.isEmpty())
        return a.m_kind == b.m_kind;
    if (a.isNumeric() && b.isNumeric())
        return a.m_number == b.m_number;
    if (a.isNumeric() != b.isNumeric())
        return false;
    return a.m_text == b.m_text;
}

std::string TVariant::ToText(const TFormatSettings& settings) const
{
    switch (m_kind) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Integer:
        return std::to_string(m_integer);
    case Kind::Boolean:
        return m_integer ? "True" : "False";
    case Kind::Float:
    case Kind::Currency:
        return FormatGeneral(m_number, 15, settings);
    case Kind::DateTime:
        return FormatDateTime({}, m_number, settings);
    case Kind::Text:
        break;
    }
    return m_text;
}
