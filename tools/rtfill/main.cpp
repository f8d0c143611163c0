// rtfill: fills any template from the command line, with values, CSV files and SQLite queries.
#include "CodePage1252.h"
#include "DataSources.h"
#include "DataTemplateEngine.h"

#include <clocale>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace templating;
using namespace rtfill;

namespace {

constexpr int Failed = 1;
constexpr int UsageError = 2;

const char* const Usage =
    "usage: rtfill TEMPLATE OUTPUT [--value NAME=TEXT]... [--csv NAME=FILE]...\n"
    "              [--sqlite DATABASE --query NAME=SQL]... [--format auto|rtf|text]\n";

struct UsageFailure
{
    std::string reason;
};

struct Source
{
    enum class Kind
    {
        Csv,
        Sqlite
    } kind;
    std::string name;
    std::string file; // the CSV file or the database
    std::string query;
};

struct Options
{
    std::string templateFile;
    std::string outputFile;
    std::map<std::string, std::string> values;
    std::vector<Source> sources;
    std::string format = "auto";
};

std::pair<std::string, std::string> nameAndText(const std::string& option,
                                                const std::string& argument)
{
    const auto equals = argument.find('=');
    if (equals == std::string::npos)
        throw UsageFailure{option + " needs NAME=..., got \"" + argument + "\""};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

Options parse(int argc, char** argv)
{
    Options options;
    std::vector<std::string> positional;
    std::string database;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= argc)
                throw UsageFailure{argument + " needs an argument"};
            return argv[++i];
        };
        if (argument == "--value") {
            auto [name, text] = nameAndText(argument, next());
            options.values[name] = text;
        } else if (argument == "--csv") {
            auto [name, file] = nameAndText(argument, next());
            options.sources.push_back({Source::Kind::Csv, name, file, {}});
        } else if (argument == "--sqlite") {
            database = next();
        } else if (argument == "--query") {
            auto [name, sql] = nameAndText(argument, next());
            if (database.empty())
                throw UsageFailure{"--query needs a --sqlite DATABASE before it"};
            options.sources.push_back({Source::Kind::Sqlite, name, database, sql});
        } else if (argument == "--format") {
            options.format = next();
            if (options.format != "auto" && options.format != "rtf" && options.format != "text")
                throw UsageFailure{"--format is auto, rtf or text"};
        } else if (argument.rfind("--", 0) == 0) {
            throw UsageFailure{"unknown option " + argument};
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2)
        throw UsageFailure{"give the template and the output file"};
    options.templateFile = positional[0];
    options.outputFile = positional[1];
    return options;
}

int run(const Options& options)
{
    DataTemplateEngine reporter;
    reporter.templateFormat = options.format == "rtf" ? TemplateFormat::Rtf
                              : options.format == "text"
                                  ? TemplateFormat::Text
                                  : TemplateEngine::detectTemplateFormat(options.templateFile);
    // RTF carries code page 1252; a text template gets the bytes as they are.
    TextEncoder encode = [](const std::string& text) { return text; };
    if (reporter.templateFormat == TemplateFormat::Rtf)
        encode = [](const std::string& text) { return utf8ToCodePage1252(text); };

    std::vector<std::unique_ptr<TableDataSet>> dataSets;
    for (const Source& source : options.sources) {
        dataSets.push_back(source.kind == Source::Kind::Csv
                               ? readCsv(source.name, source.file, encode)
                               : readSqlite(source.name, source.file, source.query, encode));
        reporter.dataSets.push_back(dataSets.back().get());
    }
    std::map<std::string, std::string> values;
    for (const auto& [name, text] : options.values)
        values[encode(name)] = encode(text);
    reporter.customTagValue = [&values](const std::string& tag) -> std::optional<std::string> {
        const auto found = values.find(tag);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    };
    reporter.processTemplate(options.templateFile, options.outputFile);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Dates, times and numbers in the user's locale.
    std::setlocale(LC_ALL, "");
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const UsageFailure& failure) {
        std::cerr << "rtfill: " << failure.reason << '\n' << Usage;
        return UsageError;
    }
    try {
        return run(options);
    } catch (const DataSourceError& e) {
        std::cerr << "rtfill: " << e.what() << '\n';
    } catch (const std::exception& e) {
        // The engine's own words, unchanged.
        std::cerr << e.what() << '\n';
    }
    return Failed;
}
