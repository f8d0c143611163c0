// Conversion of text to Windows code page 1252, the single-byte code page of RTF values.
#pragma once

#include <string>
#include <string_view>

namespace templating {

// One byte a character; "?" for a character the code page lacks or a malformed sequence.
std::string utf8ToCodePage1252(std::string_view utf8);

// Text in a character set as the C library names it ("UTF-8", "ISO-8859-15") in code page
// 1252, as utf8ToCodePage1252 gives it.
std::string toCodePage1252(std::string_view text, const std::string& codeset);

} // namespace templating
