// rtfill: fills any template from the command line, with values, CSV files and SQLite queries.
#include "AsciiText.h"
#include "DataSources.h"
#include "DataTemplateEngine.h"
#include "Interrupts.h"
#include "MappedFile.h"
#include "OutputFile.h"
#include "Picture.h"

#include <algorithm>
#include <clocale>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#include <sys/stat.h>

using namespace templating;
using namespace rtfill;

namespace {

constexpr int Failed = 1;
constexpr int UsageError = 2;

const char* const Usage =
    "usage: rtfill TEMPLATE OUTPUT [--value NAME=TEXT]... [--csv NAME=FILE]...\n"
    "              [--sqlite DATABASE --query NAME=SQL]... [--format auto|rtf|text]\n"
    "              [--display DATASET.FIELD=PATTERN]... [--date-field DATASET.FIELD]...\n"
    "              [--image NAME=FILE.png]...\n"
    "       rtfill --help | --version\n"
    "A TEMPLATE or OUTPUT of \"-\" is standard input or output.\n"
    "--image answers the tag NAME with a PNG picture; only an RTF report takes one.\n";

// Standard input or output in place of a file.
constexpr std::string_view StandardStream = "-";

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

// A field of a data source as the command line names it: DATASET.FIELD.
struct FieldName
{
    std::string option; // that named it, for messages
    std::string text;
    std::string dataSet;
    std::string field;
};

// A display format for a field.
struct Display
{
    FieldName target;
    std::string pattern;
};

struct Options
{
    std::string templateFile;
    std::string outputFile;
    std::map<std::string, std::string, std::less<>> values;
    std::map<std::string, Picture, std::less<>> pictures;
    std::vector<Source> sources;
    std::string format = "auto";
    std::vector<Display> displays;
    std::vector<FieldName> dateFields;
    std::string information; // of --help or --version, printed instead of filling
};

std::pair<std::string, std::string>
nameAndText(const std::string& option, const std::string& argument, const char* form = "NAME=...")
{
    const auto equals = argument.find('=');
    if (equals == std::string::npos)
        throw UsageFailure{option + " needs " + form + ", got \"" + argument + "\""};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

FieldName fieldName(const std::string& option, const std::string& text)
{
    const auto dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == text.size())
        throw UsageFailure{option + " needs DATASET.FIELD, got \"" + text + "\""};
    return {option, text, text.substr(0, dot), text.substr(dot + 1)};
}

// Each field named by --display and --date-field belongs to a data source of the command line.
void checkDataSetNames(const Options& options)
{
    std::vector<const FieldName*> names;
    for (const Display& display : options.displays)
        names.push_back(&display.target);
    for (const FieldName& name : options.dateFields)
        names.push_back(&name);
    for (const FieldName* name : names) {
        const bool known =
            std::any_of(options.sources.begin(), options.sources.end(), [&](const Source& source) {
                return equalsAsciiNoCase(source.name, name->dataSet);
            });
        if (!known) {
            throw UsageFailure{name->option + " " + name->text + ": no --csv or --query names \"" +
                               name->dataSet + "\""};
        }
    }
}

// A file that rtfill reads, and how a message names it.
struct Input
{
    std::string file;
    std::string name;
};

// The output replaces a file whole: were it a file rtfill reads, under any name or link, that
// file would be lost. A device or a pipe is written where it stands and may be both (/dev/stdin
// and /dev/stdout on one terminal).
void checkOutputIsNoInput(const std::string& outputFile, const std::vector<Input>& inputs)
{
    struct stat output = {};
    if (outputFile == StandardStream || ::stat(outputFile.c_str(), &output) != 0 ||
        !S_ISREG(output.st_mode))
        return;
    for (const Input& input : inputs) {
        struct stat file = {};
        if (::stat(input.file.c_str(), &file) == 0 && file.st_dev == output.st_dev &&
            file.st_ino == output.st_ino)
            throw UsageFailure{"the output is " + input.name + " itself"};
    }
}

// Why the bytes of an --image file make no picture, after "the image FILE".
std::string pngFaultReason(PngFault fault)
{
    switch (fault) {
    case PngFault::NotPng:
        return "is not a PNG file";
    case PngFault::NoImageData:
        return "has no image data (no IDAT chunk)";
    case PngFault::CutShort:
        return "is cut short (it ends before its IEND chunk)";
    }
    return {};
}

// The picture of an --image file; a file that is not a regular one (a FIFO would block), cannot
// be read, is no whole PNG or makes a picture RTF cannot size is a wrong command line.
Picture readPicture(const std::string& file)
{
    const std::string image = "the image " + file;
    std::optional<MappedFile> bytes;
    try {
        bytes = MappedFile::regularFile(file);
    } catch (const std::system_error&) {
        throw UsageFailure{"cannot read " + image};
    }
    if (!bytes)
        throw UsageFailure{image + " is not a regular file"};
    std::variant<Picture, PngFault> png = readPng(std::string(bytes->bytes()));
    if (const PngFault* fault = std::get_if<PngFault>(&png))
        throw UsageFailure{image + " " + pngFaultReason(*fault)};
    Picture& picture = std::get<Picture>(png);
    // A PNG always has a resolution: too large or too small.
    if (const std::optional<SizeFault> fault = sizeFault(picture)) {
        throw UsageFailure{
            image + ", " + std::to_string(picture.width) + " by " + std::to_string(picture.height) +
            " pixels at " + std::to_string(picture.dpi) + " dpi, is too " +
            (*fault == SizeFault::TooSmall ? "small" : "large") + " for an RTF document"};
    }
    return std::move(picture);
}

Options parse(int argc, char** argv)
{
    Options options;
    std::vector<std::string> positional;
    std::vector<Input> inputs;
    std::vector<std::pair<std::string, std::string>> images; // tag and file
    std::string database;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= argc)
                throw UsageFailure{argument + " needs an argument"};
            return argv[++i];
        };
        if (argument == "--help" || argument == "--version") {
            options.information = argument == "--help" ? Usage : "rtfill " RTFILL_VERSION "\n";
            return options;
        }
        if (argument == "--value") {
            auto [name, text] = nameAndText(argument, next());
            options.values[name] = text;
        } else if (argument == "--image") {
            auto [name, file] = nameAndText(argument, next(), "NAME=FILE.png");
            images.emplace_back(name, file);
            inputs.push_back({file, "the image " + file});
        } else if (argument == "--csv") {
            auto [name, file] = nameAndText(argument, next());
            options.sources.push_back({Source::Kind::Csv, name, file, {}});
            inputs.push_back({file, "the CSV file " + file});
        } else if (argument == "--sqlite") {
            database = next();
            inputs.push_back({database, "the database " + database});
        } else if (argument == "--query") {
            auto [name, sql] = nameAndText(argument, next());
            if (database.empty())
                throw UsageFailure{"--query needs a --sqlite DATABASE before it"};
            options.sources.push_back({Source::Kind::Sqlite, name, database, sql});
        } else if (argument == "--display") {
            auto [target, pattern] = nameAndText(argument, next(), "DATASET.FIELD=PATTERN");
            options.displays.push_back({fieldName(argument, target), pattern});
        } else if (argument == "--date-field") {
            options.dateFields.push_back(fieldName(argument, next()));
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
    if (options.templateFile != StandardStream)
        inputs.insert(inputs.begin(), {options.templateFile, "the template"});
    checkDataSetNames(options);
    checkOutputIsNoInput(options.outputFile, inputs);
    for (const auto& [name, file] : images)
        options.pictures[name] = readPicture(file);
    return options;
}

// The field that a --display or --date-field names, in the data sources read.
Field& namedField(const std::vector<DataSet*>& dataSets, const FieldName& name)
{
    for (DataSet* dataSet : dataSets) {
        if (!equalsAsciiNoCase(dataSet->name(), name.dataSet))
            continue;
        if (Field* field = dataSet->findField(name.field))
            return *field;
    }
    throw DataSourceError(name.option + " " + name.text + ": the data source has no such field");
}

// The fields of the source that --date-field names.
std::vector<std::string> dateFieldsOf(const Options& options, const Source& source)
{
    std::vector<std::string> fields;
    for (const FieldName& name : options.dateFields) {
        if (equalsAsciiNoCase(name.dataSet, source.name))
            fields.push_back(name.field);
    }
    return fields;
}

// Answers the tags of --value and --image.
class CommandLineEngine final : public DataTemplateEngine
{
public:
    explicit CommandLineEngine(const Options& options)
        : m_values(options.values), m_pictures(options.pictures)
    {
    }

protected:
    std::optional<Picture> tagPicture(std::string_view tag) override
    {
        const auto found = m_pictures.find(tag);
        if (found == m_pictures.end())
            return std::nullopt;
        return found->second;
    }
    std::optional<std::string> customTagValue(std::string_view tag) override
    {
        const auto found = m_values.find(tag);
        if (found == m_values.end())
            return std::nullopt;
        return found->second;
    }

private:
    const std::map<std::string, std::string, std::less<>>& m_values;
    const std::map<std::string, Picture, std::less<>>& m_pictures;
};

// The engine parts its sentences with a carriage return, as a message box shows them; on a
// terminal the cursor would go back and the sentences run together. Each break becomes a space,
// and after a quoted name ". ", the full stop it stands for.
std::string asSentences(std::string_view message)
{
    std::string text;
    for (const char c : message) {
        if (c == '\r')
            text += !text.empty() && text.back() == '"' ? ". " : " ";
        else
            text += c;
    }
    return text;
}

int run(const Options& options)
{
    CommandLineEngine reporter(options);
    std::vector<std::unique_ptr<TableDataSet>> dataSets;
    for (const Source& source : options.sources) {
        const std::vector<std::string> dates = dateFieldsOf(options, source);
        dataSets.push_back(source.kind == Source::Kind::Csv
                               ? readCsv(source.name, source.file, dates)
                               : readSqlite(source.name, source.file, source.query, dates));
        reporter.dataSets.push_back(dataSets.back().get());
    }
    for (const FieldName& name : options.dateFields)
        namedField(reporter.dataSets, name);
    for (const Display& display : options.displays) {
        Field& field = namedField(reporter.dataSets, display.target);
        if (!field.isNumeric() && !field.isDateTime()) {
            throw DataSourceError(display.target.option + " " + display.target.text +
                                  ": the field holds text; a pattern formats numbers and dates");
        }
        field.displayFormat = display.pattern;
    }

    const TemplateFormat format = options.format == "rtf"    ? TemplateFormat::Rtf
                                  : options.format == "text" ? TemplateFormat::Text
                                                             : TemplateFormat::Auto;
    const ParsedTemplate parsed = options.templateFile == StandardStream
                                      ? ParsedTemplate(MappedFile::standardInput(), format)
                                      : ParsedTemplate(options.templateFile, format);
    if (options.outputFile == StandardStream) {
        OutputFile output = OutputFile::standardOutput();
        reporter.fill(parsed, output);
    } else {
        InterruptibleOutput output(options.outputFile);
        reporter.fill(parsed, output.file());
    }
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
        std::cerr << "rtfill: " << asSentences(failure.reason) << '\n' << Usage;
        return UsageError;
    }
    if (!options.information.empty()) {
        std::cout << options.information;
        return 0;
    }
    removeTemporaryOnInterrupt();
    try {
        return run(options);
    } catch (const DataSourceError& e) {
        std::cerr << "rtfill: " << asSentences(e.what()) << '\n';
    } catch (const std::exception& e) {
        // The engine's own words.
        std::cerr << asSentences(e.what()) << '\n';
    }
    return Failed;
}
