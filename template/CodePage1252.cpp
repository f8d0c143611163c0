// Conversion between UTF-8 and Windows code page 1252, the single-byte code page of RTF text.
#include "CodePage1252.h"

#include <array>

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

void appendUtf8(char32_t c, std::string& text)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

CodePage1252Character codePage1252At(std::string_view utf8, std::size_t at)
{
    constexpr CodePage1252Character Malformed{'?', 1, 0};
    const auto lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0x80)
        return {static_cast<char>(lead), 1, 0};
    // The length a lead byte announces, and the least value that needs that length.
    std::size_t length = 0;
    char32_t least = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        least = 0x80;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        least = 0x800;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        least = 0x10000;
        c = lead & 0x07;
    } else {
        return Malformed;
    }
    if (utf8.size() - at < length)
        return Malformed;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[at + k]);
        if ((next & 0xC0) != 0x80)
            return Malformed;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return Malformed;
    const char byte = toByte(c);
    return {byte, length, byte == '?' ? c : 0};
}

std::string codePage1252ToUtf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size() + text.size() / 2);
    for (const char byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        if (b < 0x80 || b >= 0xA0)
            appendUtf8(b, utf8);
        else
            appendUtf8(HighControls[b - 0x80U] != 0 ? HighControls[b - 0x80U] : U'?', utf8);
    }
    return utf8;
}

} // namespace templating
