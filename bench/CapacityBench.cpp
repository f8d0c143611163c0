// Timing of the borrowing capacity: a million random cases, each solved (without authorisation
// and with it) once per iteration.
#include "Capacity.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace borrowing;

namespace {

std::vector<CapacityFigures> randomCases(std::size_t count)
{
    std::mt19937_64 random(2026);
    std::uniform_int_distribution<long long> cents(0, 10'000'000'000LL);
    std::uniform_real_distribution<double> share(0, 1.2);
    std::uniform_int_distribution<int> rate(0, 1000);
    std::uniform_int_distribution<int> years(1, 40);
    std::vector<CapacityFigures> cases;
    cases.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Amount revenue = static_cast<Amount>(cents(random)) / 100;
        cases.push_back({revenue, static_cast<Amount>(share(random)) * revenue,
                         static_cast<Amount>(share(random)) * revenue / 10,
                         static_cast<Amount>(share(random)) * revenue,
                         static_cast<Amount>(rate(random)) / 100,
                         static_cast<Amount>(years(random))});
    }
    return cases;
}

void BM_CapacityOfAMillionCases(benchmark::State& state)
{
    const std::vector<CapacityFigures> cases = randomCases(1'000'000);
    for (auto _ : state) {
        for (const CapacityFigures& figures : cases)
            benchmark::DoNotOptimize(borrowingCapacities(figures));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cases.size()));
}
BENCHMARK(BM_CapacityOfAMillionCases)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
