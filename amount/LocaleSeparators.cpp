// The user's locale separators, read at start-up and again when the locale changes.
#include "LocaleSeparators.h"

#include <QLocale>

#include <optional>
#include <utility>

namespace amount {

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

Separators systemSeparators()
{
    const QLocale locale = QLocale::system();
    return {firstOr(locale.decimalPoint(), u'.'), firstOr(locale.groupSeparator(), u',')};
}

Separators currentSeparators()
{
    if (!cached())
        reloadSeparators();
    return *cached();
}

void reloadSeparators()
{
    cached() = source() ? source()() : systemSeparators();
}

SeparatorSource setSeparatorSource(SeparatorSource newSource)
{
    SeparatorSource previous = std::exchange(source(), std::move(newSource));
    reloadSeparators();
    return previous;
}

} // namespace amount
