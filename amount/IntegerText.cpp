// The integer texts a user types, such as the debt limit.
#include "IntegerText.h"

#include "DigitText.h"

#include <limits>

namespace amount {

std::optional<std::int32_t> parseInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int base = 10;
    if (text.mid(i, 2).compare(u"0x", Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = decimal::hexDigitValue(text[i].unicode());
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace amount
