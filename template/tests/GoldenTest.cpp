// Golden folders: each holds a template, the values of its tags and the expected output.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace templating;

namespace {

namespace fs = std::filesystem;

const fs::path GoldenFolder = fs::path(ENGINE_TEST_DATA) / "golden";

fs::path findStartingWith(const fs::path& folder, const std::string& stem)
{
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().stem() == stem)
            return entry.path();
    }
    return {};
}

// "name=value" lines in UTF-8; the name is everything before the first "=".
std::map<std::string, std::string> readValues(const fs::path& file)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(readFile(file.string()));
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

class GoldenTest : public testing::TestWithParam<std::string>
{
};

TEST_P(GoldenTest, outputMatchesTheExpectedFile)
{
    const fs::path folder = GoldenFolder / GetParam();
    const fs::path templateFile = findStartingWith(folder, "template");
    ASSERT_FALSE(templateFile.empty());
    const fs::path expectedFile = folder / ("expected" + templateFile.extension().string());
    ScratchFolder scratch;
    const std::string output = scratch.file("output" + templateFile.extension().string());
    ScriptedReporter reporter;
    reporter.values = readValues(folder / "values.txt");
    reporter.processTemplate(templateFile.string(), output);
    // Set ENGINE_GOLDEN_BLESS to write a new expected file, then review it before committing.
    if (std::getenv("ENGINE_GOLDEN_BLESS"))
        writeFile(expectedFile.string(), readFile(output));
    EXPECT_EQ(readFile(output), readFile(expectedFile.string()));
    for (const std::string& tag : reporter.asked)
        EXPECT_TRUE(reporter.values.count(tag)) << "unexpected tag \"" << tag << "\"";
}

std::vector<std::string> goldenCases()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(GoldenFolder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Folders, GoldenTest, testing::ValuesIn(goldenCases()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

// The template written by LibreOffice holds tags partly in bold or italic: every tag must be
// found by its plain name, and the filled document must open again in LibreOffice.
TEST(LibreOffice, filledDocumentOpensAgainWithTheValues)
{
    const fs::path folder = GoldenFolder / "libreoffice";
    ScratchFolder scratch;
    const std::string output = scratch.file("filled.rtf");
    ScriptedReporter reporter;
    reporter.values = readValues(folder / "values.txt");
    reporter.processTemplate((folder / "template.rtf").string(), output);
    EXPECT_EQ(reporter.asked,
              (std::vector<std::string>{"Entidad", "Provincia", "prestamosolicitado", "tipointeres",
                                        "plazoamortizacion", "ahorrobruto", "ahorroneto"}));

    const std::string command = "soffice -env:UserInstallation=file://" + scratch.file("profile") +
                                " --headless --convert-to txt:Text --outdir " + scratch.file("") +
                                " " + output + " > " + scratch.file("soffice.log") + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << readFile(scratch.file("soffice.log"));
    const std::string text = readFile(scratch.file("filled.txt"));
    for (const char* expected :
         {"Informe para Villanueva del Campo (Zamora)", "100.000,00 euros al 5,00 %.",
          "Plazo: 10 a\xc3\xb1os.", "Ahorro bruto -1.265.432,11 y neto 137.272,08."})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

} // namespace
