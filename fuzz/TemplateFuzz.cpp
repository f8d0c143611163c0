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

// Fills every tag with text that needs escaping, the tag's own bytes and malformed UTF-8
// included, and repeats each entered loop a few times, bounded so that nested loops cannot run
// for ever.
class FuzzReporter final : public TemplateEngine
{
public:
    explicit FuzzReporter(std::uint8_t options) : m_loops((options & 2) != 0) {}

protected:
    std::string tagValue(std::string_view tag) override
    {
        return "{" + std::string(tag.substr(0, 16)) + "}\\\xf1\xc3\xb1\n";
    }
    bool startLoop(std::string_view argument) override
    {
        const bool enter = m_loops && !argument.empty() && m_cycles < MaxCycles;
        if (enter)
            m_repeats.push_back(static_cast<int>(argument.size() % 3));
        return enter;
    }
    bool endLoop() override
    {
        if (!m_loops)
            return true;
        ++m_cycles;
        const bool finished = m_repeats.back()-- <= 0 || m_cycles >= MaxCycles;
        if (finished)
            m_repeats.pop_back();
        return finished;
    }

private:
    static constexpr int MaxCycles = 2000;
    bool m_loops;
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
        reporter.processTemplate(templateFile, outputFile,
                                 data[0] & 1 ? TemplateFormat::Rtf : TemplateFormat::Text);
    } catch (const TemplateError&) {
        // a malformed template is reported, which is what should happen
    }
    return 0;
}
