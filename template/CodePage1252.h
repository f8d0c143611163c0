// Conversion of UTF-8 text to Windows code page 1252, the single-byte code page of RTF values.
#pragma once

#include <string>
#include <string_view>

namespace templating {

// One byte a character; "?" for a character the code page lacks or a malformed sequence.
std::string utf8ToCodePage1252(std::string_view utf8);

} // namespace templating
