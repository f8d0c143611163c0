// ASCII-only lower-casing, the engine's rule for comparing names without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace templating {

inline char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lowerAscii(std::string_view s)
{
    std::string lower(s);
    for (char& c : lower)
        c = lowerAscii(c);
    return lower;
}

inline bool equalsAsciiNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

} // namespace templating
