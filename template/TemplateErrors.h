// The exceptions of the template engine.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace templating {

// A fault in the template's structure.
class TemplateError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A broken internal consistency check of the engine.
class TemplateInternalError : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// A tag or loop the engine cannot evaluate.
class DataTemplateError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Throws a DataTemplateError: the pattern with each "%s" replaced by the next argument, cut to
// its first 80 characters and "…" when longer, so that a huge tag keeps the message readable.
[[noreturn]] void throwDataTemplateError(std::string_view pattern,
                                         std::initializer_list<std::string_view> arguments);

} // namespace templating
