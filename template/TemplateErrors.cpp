// The exceptions of the template engine.
#include "TemplateErrors.h"

#include <string>

namespace templating {

void throwDataTemplateError(std::string_view pattern,
                            std::initializer_list<std::string_view> arguments)
{
    std::string message;
    auto argument = arguments.begin();
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern.compare(at, 2, "%s") == 0 && argument != arguments.end()) {
            message += *argument++;
            ++at;
        } else {
            message += pattern[at];
        }
    }
    throw DataTemplateError(message);
}

} // namespace templating
