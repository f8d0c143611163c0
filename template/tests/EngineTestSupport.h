// Helpers for the engine tests: a reporter that answers tags from a table, Spanish settings.
#pragma once

#include "FormatSettings.h"
#include "ScratchFolder.h"
#include "TemplateEngine.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Answers value tags from a table ("<tag>" for unknown ones) or with a picture, and records the
// text tags asked; loops follow the test's script when it gives one.
class ScriptedReporter : public templating::TemplateEngine
{
public:
    std::map<std::string, std::string> values;
    std::map<std::string, templating::Picture, std::less<>> pictures;
    std::vector<std::string> asked;
    std::function<bool(std::string_view argument)> enterLoop;
    std::function<bool()> loopFinished;

protected:
    std::string tagValue(std::string_view tag) override
    {
        asked.emplace_back(tag);
        const auto found = values.find(std::string(tag));
        return found != values.end() ? found->second : "<" + std::string(tag) + ">";
    }
    std::optional<templating::Picture> tagPicture(std::string_view tag) override
    {
        const auto found = pictures.find(tag);
        return found != pictures.end() ? std::optional(found->second) : std::nullopt;
    }
    bool startLoop(std::string_view argument) override
    {
        return enterLoop ? enterLoop(argument) : TemplateEngine::startLoop(argument);
    }
    bool endLoop() override { return loopFinished ? loopFinished() : TemplateEngine::endLoop(); }
};

// Spanish separators and currency with English names.
inline templating::FormatSettings spanish()
{
    templating::FormatSettings s;
    s.decimalSeparator = ',';
    s.thousandSeparator = '.';
    s.shortDateFormat = "dd/mm/yyyy";
    s.longTimeFormat = "hh:nn:ss";
    s.currencyString = "\xE2\x82\xAC";
    s.currencyFormat = 3;
    s.currencyDecimals = 2;
    return s;
}
