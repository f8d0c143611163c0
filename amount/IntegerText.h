// The integer texts a user types, such as the debt limit.
#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace amount {

// The value of a whole text that is a 32-bit integer: leading spaces, a sign, then decimal
// digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing else.
std::optional<std::int32_t> parseInteger(QStringView text);

} // namespace amount
