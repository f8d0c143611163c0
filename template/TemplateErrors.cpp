// The exceptions of the template engine.
#include "TemplateErrors.h"

#include <string>

namespace templating {

namespace {

constexpr std::size_t MaxQuotedCharacters = 80;

// The bytes of the character at `at`: a UTF-8 sequence, or one byte that starts none.
std::size_t characterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t expected = lead < 0xC0   ? 1
                                 : lead < 0xE0 ? 2
                                 : lead < 0xF0 ? 3
                                 : lead < 0xF8 ? 4
                                               : 1;
    std::size_t length = 1;
    while (length < expected && at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

void appendQuoted(std::string& message, std::string_view text)
{
    std::size_t end = 0;
    for (std::size_t count = 0; end < text.size() && count < MaxQuotedCharacters; ++count)
        end += characterLength(text, end);
    message += text.substr(0, end);
    if (end < text.size())
        message += "\xE2\x80\xA6";
}

} // namespace

void throwDataTemplateError(std::string_view pattern,
                            std::initializer_list<std::string_view> arguments)
{
    std::string message;
    auto argument = arguments.begin();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern.compare(at, 2, "%s") == 0 && argument != arguments.end()) {
            appendQuoted(message, *argument++);
            ++at;
        } else {
            message += pattern[at];
        }
    }
    throw DataTemplateError(message);
}

} // namespace templating
