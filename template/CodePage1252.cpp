// Conversion of text to Windows code page 1252, the single-byte code page of RTF values.
#include "CodePage1252.h"

#include "AsciiText.h"

#include <array>
#include <cerrno>
#include <cstdint>

#include <iconv.h>

namespace templating {

namespace {

// The characters of 0x80..0x9F in code page 1252; 0 where it has none.
constexpr std::array<char32_t, 32> HighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] != 0 && HighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// The text in UTF-8; "?" for what the character set cannot decode.
std::string toUtf8(std::string_view text, const std::string& codeset)
{
    const iconv_t converter = iconv_open("UTF-8", codeset.c_str());
    if (converter == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1)))
        return std::string(text);
    // Four bytes a character at the most.
    std::string utf8(4 * text.size(), '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* out = utf8.data();
    std::size_t outLeft = utf8.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            continue;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        *out++ = '?';
        --outLeft;
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    utf8.resize(static_cast<std::size_t>(out - utf8.data()));
    return utf8;
}

} // namespace

std::string toCodePage1252(std::string_view text, const std::string& codeset)
{
    const std::string name = lowerAscii(codeset);
    if (name == "utf-8" || name == "utf8")
        return utf8ToCodePage1252(text);
    if (name == "ansi_x3.4-1968" || name == "cp1252" || name == "windows-1252")
        return std::string(text);
    return utf8ToCodePage1252(toUtf8(text, codeset));
}

std::string utf8ToCodePage1252(std::string_view utf8)
{
    std::string encoded;
    encoded.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80         ? 1
                           : (lead >> 5) == 6  ? 2
                           : (lead >> 4) == 14 ? 3
                           : (lead >> 3) == 30 ? 4
                                               : 0;
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        encoded += valid ? toByte(c) : '?';
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return encoded;
}

} // namespace templating
