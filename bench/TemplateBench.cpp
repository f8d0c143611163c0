// Throughput and peak memory of the template engine, against a plain copy of the same file and
// against kainjow Mustache rendering the same text with the same number of values.
#include "DataTemplateEngine.h"
#include "TemplateEngine.h"

#include <benchmark/benchmark.h>
#include <kainjow/mustache.hpp>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using namespace templating;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t TemplateSize = 32 << 20;
constexpr int LoopRepetitions = 100000;

const fs::path Folder = fs::temp_directory_path() / "template-bench";

class BenchReporter final : public TemplateEngine
{
public:
    explicit BenchReporter(int repetitions = 0) : m_repetitions(repetitions)
    {
        templateFormat = TemplateFormat::Rtf;
    }

protected:
    std::string tagValue(std::string_view) override { return "1.234,56"; }
    bool startLoop(std::string_view) override { return true; }
    bool endLoop() override { return ++m_passes >= m_repetitions; }

private:
    int m_repetitions;
    int m_passes = 0;
};

// Text of printable letters without backslashes, so that it holds no tag by itself.
std::string filler(std::size_t size, std::mt19937& random)
{
    std::string text(size, ' ');
    for (char& c : text)
        c = static_cast<char>('a' + random() % 26);
    return text;
}

struct Templates
{
    fs::path tagless = Folder / "tagless.rtf";
    fs::path dense = Folder / "dense.rtf";
    fs::path loop = Folder / "loop.rtf";
    std::string denseMustache;
    std::size_t denseTags = 0;

    Templates()
    {
        fs::create_directories(Folder);
        std::mt19937 random(7);
        std::ofstream(tagless, std::ios::binary) << filler(TemplateSize, random);
        // A tag every 100 bytes: 90 bytes of text and a tag of 10.
        std::string engine;
        std::string mustache;
        while (engine.size() < TemplateSize) {
            const std::string text = filler(90, random);
            engine += text + "\\{importe\\}";
            mustache += text + "{{importe}}";
            ++denseTags;
        }
        std::ofstream(dense, std::ios::binary) << engine;
        denseMustache = std::move(mustache);
        std::ofstream(loop, std::ios::binary)
            << "{\\rtf1 \\{for filas\\}" + filler(80, random) + "\\{importe\\}\\par \\{end\\}}";
    }
};

const Templates& templates()
{
    static const Templates t;
    return t;
}

// Peak resident memory since the last reset, in bytes (Linux).
long peakResident()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6)) * 1024;
    }
    return 0;
}

long currentResident()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6)) * 1024;
    }
    return 0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void runEngine(benchmark::State& state, const fs::path& file, int repetitions = 0)
{
    const std::string output = (Folder / "out.rtf").string();
    long peakGrowth = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = currentResident();
        BenchReporter reporter(repetitions);
        reporter.processTemplate(file.string(), output);
        peakGrowth = std::max(peakGrowth, peakResident() - before);
    }
    const auto size = static_cast<double>(fs::file_size(file));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(
                                                     repetitions ? fs::path(output) : file)));
    state.counters["template_MB"] = size / 1e6;
    state.counters["peak_growth_MB"] = static_cast<double>(peakGrowth) / 1e6;
}

void BM_EngineTagless(benchmark::State& state)
{
    runEngine(state, templates().tagless);
}
BENCHMARK(BM_EngineTagless)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EngineTagDense(benchmark::State& state)
{
    runEngine(state, templates().dense);
    state.counters["pieces"] = static_cast<double>(2 * templates().denseTags);
}
BENCHMARK(BM_EngineTagDense)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bytes processed are the output's: 100,000 passes over one loop body.
void BM_EngineLoop100000(benchmark::State& state)
{
    runEngine(state, templates().loop, LoopRepetitions);
}
BENCHMARK(BM_EngineLoop100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainCopy(benchmark::State& state)
{
    const fs::path copy = Folder / "copy.rtf";
    for (auto _ : state)
        fs::copy_file(templates().dense, copy, fs::copy_options::overwrite_existing);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(fs::file_size(templates().dense)));
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MustacheTagDense(benchmark::State& state)
{
    const std::string& text = templates().denseMustache;
    const std::string part = text.substr(0, 4 << 20); // Mustache is slow: a 4 MB slice
    for (auto _ : state) {
        kainjow::mustache::mustache view(part);
        kainjow::mustache::data values;
        values.set("importe", "1.234,56");
        std::ofstream(Folder / "mustache.txt", std::ios::binary) << view.render(values);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(part.size()));
}
BENCHMARK(BM_MustacheTagDense)->Unit(benchmark::kMillisecond)->UseRealTime();

// A grouping loop with an inner plain loop and a sum, over a million records.
void BM_DataLoopMillionRecords(benchmark::State& state)
{
    constexpr int Records = 1000000;
    MemoryDataSet data("d");
    data.addField("grupo", FieldType::Integer);
    data.addField("importe", FieldType::Integer);
    data.addField("precio", FieldType::Float);
    for (int i = 0; i < Records; ++i)
        data.appendRow({Variant::fromInteger(i / 10), Variant::fromInteger(i % 97),
                        Variant::fromFloat(i * 0.25L)});
    const fs::path file = Folder / "data.txt";
    std::ofstream(file, std::ios::binary)
        << "\\{for d.grupo\\}\\{d.grupo\\}: \\{for d\\}\\{d.importe\\} \\{end\\}"
           "= \\{sum(d.importe)\\}\n\\{end\\}total \\{sum(d.precio)\\}\n";
    long peakGrowth = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = currentResident();
        DataTemplateEngine reporter;
        reporter.dataSets.push_back(&data);
        reporter.processTemplate(file.string(), (Folder / "data-out.txt").string());
        peakGrowth = std::max(peakGrowth, peakResident() - before);
    }
    state.counters["records_per_second"] =
        benchmark::Counter(static_cast<double>(Records) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["peak_growth_MB"] = static_cast<double>(peakGrowth) / 1e6;
}
BENCHMARK(BM_DataLoopMillionRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
