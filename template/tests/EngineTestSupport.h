// Helpers for the engine tests: a reporter that answers tags from a table.
#pragma once

#include "ScratchFolder.h"
#include "uFreeReporter.h"

#include <map>
#include <string>
#include <vector>

// Answers value tags from a table ("<tag>" for unknown ones) and records what was asked.
class ScriptedReporter : public TFreeReporter
{
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> asked;

    using TFreeReporter::pieces;
    using TFreeReporter::templateText;

protected:
    void GetTagValue(const std::string& Tag, std::string& Value) override
    {
        asked.push_back(Tag);
        const auto found = values.find(Tag);
        Value = found != values.end() ? found->second : "<" + Tag + ">";
    }
};
