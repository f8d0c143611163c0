// ASCII-only lower-casing, the engine's rule for comparing names without regard to case.
#pragma once

#include <string>
#include <string_view>

inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string LowerAscii(std::string_view s)
{
    std::string lower(s);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}
