// Timing of a 100-year loan calculation written into the amortisation grid (1200 rows).
#include "KaNumEdit.h"
#include "Unit3.h"

#include <benchmark/benchmark.h>

namespace {

void BM_HundredYearTable(benchmark::State& state)
{
    TCalculadora calculator;
    calculator.Capital()->setValue(100000);
    calculator.Interes()->setValue(5);
    calculator.anios()->setValue(100);
    for (auto _ : state)
        calculator.Button1Click();
}
BENCHMARK(BM_HundredYearTable)->Unit(benchmark::kMillisecond);

} // namespace
