// libFuzzer target: the engine loads and fills arbitrary bytes as an RTF or a text template.
#include "TemplateEngine.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

using namespace templating;

namespace {

// Fills every tag with text that needs escaping and repeats each entered loop a few times,
// bounded so that nested loops cannot run for ever.
class FuzzReporter final : public TemplateEngine
{
public:
    explicit FuzzReporter(std::uint8_t options)
    {
        templateFormat = options & 1 ? TemplateFormat::Rtf : TemplateFormat::Text;
        if (options & 2) {
            onLoopStart = [this](const std::string& argument, bool& enter) {
                enter = !argument.empty() && m_cycles < MaxCycles;
                if (enter)
                    m_repeats.push_back(static_cast<int>(argument.size() % 3));
            };
            onLoopEnd = [this](bool& finished) {
                ++m_cycles;
                finished = m_repeats.back()-- <= 0 || m_cycles >= MaxCycles;
                if (finished)
                    m_repeats.pop_back();
            };
        }
    }

protected:
    void tagValue(const std::string& tag, std::string& value) override
    {
        value = "{" + tag.substr(0, 16) + "}\\\xf1\n";
    }

private:
    static constexpr int MaxCycles = 2000;
    std::vector<int> m_repeats;
    int m_cycles = 0;
};

const std::string Folder = "/tmp/template-fuzz-" + std::to_string(getpid());

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const bool folderMade = std::system(("mkdir -p " + Folder).c_str()) == 0;
    if (!folderMade)
        return 0;
    const std::string templateFile = Folder + "/template";
    const std::string outputFile = Folder + "/output";
    std::ofstream(templateFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    FuzzReporter reporter(data[0]);
    try {
        reporter.processTemplate(templateFile, outputFile);
    } catch (const TemplateError&) {
        // a malformed template is reported, which is what should happen
    }
    return 0;
}
