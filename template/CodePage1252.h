// Conversion between UTF-8 and Windows code page 1252, the single-byte code page of RTF text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace templating {

// One character of UTF-8 text in code page 1252.
struct CodePage1252Character
{
    char byte;          // "?" for a character the code page lacks or a malformed sequence
    std::size_t length; // the UTF-8 bytes it takes, 1 for a malformed one
    char32_t lacking;   // the character when the code page lacks it, else 0
};

// The character that starts at `at`, which must be within the text. Overlong forms, surrogates
// and values beyond U+10FFFF are malformed.
CodePage1252Character codePage1252At(std::string_view utf8, std::size_t at);

// Code page 1252 text in UTF-8; "?" for the five bytes the code page leaves undefined.
std::string codePage1252ToUtf8(std::string_view text);

} // namespace templating
