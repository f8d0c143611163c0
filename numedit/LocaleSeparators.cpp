// The user's locale separators, read at start-up and again when the locale changes.
#include "LocaleSeparators.h"

#include <QLocale>

#include <optional>
#include <utility>

namespace numedit {

namespace {

SeparatorSource& source()
{
    static SeparatorSource s;
    return s;
}

std::optional<Separators>& cached()
{
    static std::optional<Separators> c;
    return c;
}

QChar firstOr(const QString& s, char16_t fallback)
{
    return s.isEmpty() ? QChar(fallback) : s.front();
}

} // namespace

Separators SystemSeparators()
{
    const QLocale locale = QLocale::system();
    return {firstOr(locale.decimalPoint(), u'.'), firstOr(locale.groupSeparator(), u',')};
}

Separators CurrentSeparators()
{
    if (!cached())
        ReloadSeparators();
    return *cached();
}

void ReloadSeparators()
{
    cached() = source() ? source()() : SystemSeparators();
}

SeparatorSource SetSeparatorSource(SeparatorSource newSource)
{
    SeparatorSource previous = std::exchange(source(), std::move(newSource));
    ReloadSeparators();
    return previous;
}

} // namespace numedit
