// Throughput and peak memory of the template engine and of rtfill, in one run beside cat copying
// the same files and kainjow Mustache rendering the same text.
#include "DataTemplateEngine.h"
#include "TemplateEngine.h"

#include <benchmark/benchmark.h>
#include <kainjow/mustache.hpp>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace templating;

namespace {

namespace fs = std::filesystem;
namespace mustache = kainjow::mustache;

constexpr std::size_t TemplateSize = 100'000'000;
constexpr int Records = 1'000'000;
constexpr int RecordsPerGroup = 10;
// Mustache renders a slice of the large templates: it is too slow for all of them.
constexpr std::size_t MustacheSlice = 10'000'000;

const fs::path Folder = fs::temp_directory_path() / "template-bench";

// Answers every tag with the same amount.
class BenchReporter final : public TemplateEngine
{
protected:
    std::string tagValue(std::string_view) override { return "1.234,56"; }
};

// Printable letters without backslashes or braces, so that the text holds no tag by itself.
std::string filler(std::size_t size, std::mt19937& random)
{
    std::string text(size, ' ');
    for (char& c : text)
        c = static_cast<char>('a' + random() % 26);
    return text;
}

// The loop of the goals: a grouping loop, a plain loop inside it and sums.
const char* const LoopTemplate =
    "\\{for d.grupo\\}\\{d.grupo\\}: \\{for d\\}\\{d.importe\\} \\{end\\}"
    "= \\{sum(d.importe)\\}\n\\{end\\}total \\{sum(d.precio)\\}\n";
const char* const MustacheLoopTemplate =
    "{{#grupos}}{{grupo}}: {{#filas}}{{importe}} {{/filas}}= {{suma}}\n{{/grupos}}total "
    "{{total}}\n";

long grupo(int record)
{
    return record / RecordsPerGroup;
}
long importe(int record)
{
    return record % 97;
}
long double precio(int record)
{
    return record * 0.25L;
}

// Every input, made once: the templates with and without tags in the engine's and Mustache's
// syntax, and the loop's records in memory, in a CSV file and as Mustache data.
struct Inputs
{
    fs::path tagless = Folder / "tagless.rtf";
    fs::path dense = Folder / "dense.rtf";
    fs::path loop = Folder / "loop.txt";
    fs::path csv = Folder / "rows.csv";
    std::string taglessMustache;
    std::string denseMustache;
    std::size_t denseTags = 0;
    MemoryDataSet rows{"d"};
    mustache::data groups{mustache::data::type::list};
    std::string total;

    Inputs()
    {
        fs::create_directories(Folder);
        std::mt19937 random(7);
        const std::string text = filler(TemplateSize, random);
        std::ofstream(tagless, std::ios::binary) << text;
        taglessMustache = text.substr(0, MustacheSlice);
        // A tag every 100 bytes: 90 bytes of text and a tag of 10.
        std::string engine;
        std::string withBraces;
        engine.reserve(TemplateSize);
        for (std::size_t at = 0; engine.size() < TemplateSize; at += 90) {
            const std::string_view run = std::string_view(text).substr(at, 90);
            engine.append(run).append("\\{importe\\}");
            if (withBraces.size() < MustacheSlice)
                withBraces.append(run).append("{{importe}}");
            ++denseTags;
        }
        std::ofstream(dense, std::ios::binary) << engine;
        denseMustache = std::move(withBraces);

        std::ofstream(loop, std::ios::binary) << LoopTemplate;
        rows.addField("grupo", FieldType::Integer);
        rows.addField("importe", FieldType::Integer);
        rows.addField("precio", FieldType::Float);
        // The records first, one after another in memory, as a caller would fill them.
        for (int r = 0; r < Records; ++r) {
            rows.appendRow({Variant::fromInteger(grupo(r)), Variant::fromInteger(importe(r)),
                            Variant::fromFloat(precio(r))});
        }
        std::ofstream table(csv, std::ios::binary);
        table << "grupo,importe,precio\n";
        long double sumOfPrices = 0;
        for (int group = 0; group < Records / RecordsPerGroup; ++group) {
            mustache::data lines{mustache::data::type::list};
            long sum = 0;
            for (int r = group * RecordsPerGroup; r < (group + 1) * RecordsPerGroup; ++r) {
                char price[32];
                const auto end =
                    std::to_chars(price, price + sizeof price, static_cast<double>(precio(r))).ptr;
                table << grupo(r) << ',' << importe(r) << ','
                      << std::string_view(price, end - price) << '\n';
                lines.push_back(mustache::object{{"importe", std::to_string(importe(r))}});
                sum += importe(r);
                sumOfPrices += precio(r);
            }
            mustache::data line{mustache::data::type::object};
            line.set("grupo", std::to_string(group));
            line.set("filas", lines);
            line.set("suma", std::to_string(sum));
            groups.push_back(line);
        }
        total = std::to_string(static_cast<double>(sumOfPrices));
        // The files just written go to disk now, not while something is timed.
        ::sync();
    }
};

Inputs& inputs()
{
    static Inputs made;
    return made;
}

// Runs a program with its standard output into `output` and waits for it.
void run(benchmark::State& state, const std::vector<std::string>& arguments, const fs::path& output)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t child = 0;
    int status = -1;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0)
        state.SkipWithError((arguments[0] + " failed").c_str());
}

// Runs rtfill with the arguments and returns its peak resident memory in bytes. GNU time
// measures it: a child of this large process would count this process's pages as its own.
long runRtfill(benchmark::State& state, std::vector<std::string> arguments)
{
    const fs::path report = Folder / "rtfill.time";
    arguments.insert(arguments.begin(),
                     {"/usr/bin/time", "-f", "%M", "-o", report.string(), RTFILL});
    run(state, arguments, "/dev/null");
    long kilobytes = 0;
    std::ifstream(report) >> kilobytes;
    return kilobytes * 1000;
}

// Outside the timing, the outputs of earlier iterations go to disk: each iteration then pays
// for its own writing only, whatever ran before it.
void settle(benchmark::State& state)
{
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
}

void setBytes(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
}

void setRecords(benchmark::State& state)
{
    state.counters["records_per_second"] =
        benchmark::Counter(static_cast<double>(Records) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_Cat(benchmark::State& state, fs::path Inputs::*file)
{
    const fs::path& input = inputs().*file;
    for (auto _ : state) {
        settle(state);
        run(state, {"cat", input.string()}, Folder / "cat.out");
    }
    setBytes(state, fs::file_size(input));
}
BENCHMARK_CAPTURE(BM_Cat, tagless, &Inputs::tagless)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);
BENCHMARK_CAPTURE(BM_Cat, tag_every_100_bytes, &Inputs::dense)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);
BENCHMARK_CAPTURE(BM_Cat, csv, &Inputs::csv)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

void BM_Engine(benchmark::State& state, fs::path Inputs::*file)
{
    const fs::path& input = inputs().*file;
    for (auto _ : state) {
        settle(state);
        BenchReporter reporter;
        reporter.processTemplate(input.string(), (Folder / "out.rtf").string());
    }
    setBytes(state, fs::file_size(input));
}
BENCHMARK_CAPTURE(BM_Engine, tagless, &Inputs::tagless)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);
BENCHMARK_CAPTURE(BM_Engine, tag_every_100_bytes, &Inputs::dense)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

// rtfill as a user runs it; its peak memory beside the allowance: the template, 64 bytes a
// piece and 16 MB.
void BM_Rtfill(benchmark::State& state, fs::path Inputs::*file)
{
    const fs::path& input = inputs().*file;
    const std::size_t tags = file == &Inputs::dense ? inputs().denseTags : 0;
    long peak = 0;
    for (auto _ : state) {
        settle(state);
        peak = std::max(peak, runRtfill(state, {input.string(), (Folder / "rtfill.rtf").string(),
                                                "--value", "importe=1.234,56"}));
    }
    const std::size_t size = fs::file_size(input);
    setBytes(state, size);
    state.counters["peak_resident_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["allowance_MB"] = static_cast<double>(size + 64 * (2 * tags + 1)) / 1e6 + 16;
}
BENCHMARK_CAPTURE(BM_Rtfill, tagless, &Inputs::tagless)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);
BENCHMARK_CAPTURE(BM_Rtfill, tag_every_100_bytes, &Inputs::dense)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

void BM_Mustache(benchmark::State& state, std::string Inputs::*text)
{
    const std::string& input = inputs().*text;
    for (auto _ : state) {
        settle(state);
        mustache::mustache view(input);
        mustache::data values;
        values.set("importe", "1.234,56");
        std::ofstream(Folder / "mustache.out", std::ios::binary) << view.render(values);
    }
    setBytes(state, input.size());
}
BENCHMARK_CAPTURE(BM_Mustache, tagless, &Inputs::taglessMustache)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);
BENCHMARK_CAPTURE(BM_Mustache, tag_every_100_bytes, &Inputs::denseMustache)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

void BM_EngineLoop(benchmark::State& state)
{
    MemoryDataSet& rows = inputs().rows;
    const std::string loop = inputs().loop.string();
    for (auto _ : state) {
        settle(state);
        DataTemplateEngine reporter;
        reporter.dataSets.push_back(&rows);
        reporter.processTemplate(loop, (Folder / "loop.out").string());
    }
    setRecords(state);
}
BENCHMARK(BM_EngineLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// Mustache has neither grouping nor sums: it gets the groups and sums made beforehand.
void BM_MustacheLoop(benchmark::State& state)
{
    const Inputs& made = inputs();
    for (auto _ : state) {
        settle(state);
        mustache::mustache view(MustacheLoopTemplate);
        mustache::data values;
        values.set("grupos", made.groups);
        values.set("total", made.total);
        std::ofstream(Folder / "mustache-loop.out", std::ios::binary) << view.render(values);
    }
    setRecords(state);
}
BENCHMARK(BM_MustacheLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// rtfill reads the CSV file and fills the loop.
void BM_RtfillCsvLoop(benchmark::State& state)
{
    const Inputs& made = inputs();
    long peak = 0;
    for (auto _ : state) {
        settle(state);
        peak =
            std::max(peak, runRtfill(state, {made.loop.string(), (Folder / "rtfill.out").string(),
                                             "--csv", "d=" + made.csv.string()}));
    }
    setRecords(state);
    state.counters["peak_resident_MB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_RtfillCsvLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

} // namespace

BENCHMARK_MAIN();
