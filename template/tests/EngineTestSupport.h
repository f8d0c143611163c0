// Helpers for the engine tests: a reporter that answers tags from a table.
#pragma once

#include "ScratchFolder.h"
#include "TemplateEngine.h"

#include <map>
#include <string>
#include <vector>

// Answers value tags from a table ("<tag>" for unknown ones) and records what was asked.
class ScriptedReporter : public templating::TemplateEngine
{
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> asked;

    using templating::TemplateEngine::pieces;
    using templating::TemplateEngine::templateText;

protected:
    void tagValue(const std::string& tag, std::string& value) override
    {
        asked.push_back(tag);
        const auto found = values.find(tag);
        value = found != values.end() ? found->second : "<" + tag + ">";
    }
};
