// Timings of amount formatting and of reading an amount field's value.
#include "AmountEdit.h"
#include "NumberFormat.h"
#include "TestSeparators.h"

#include <benchmark/benchmark.h>

using namespace amount;
using testsupport::Spanish;

namespace {

void BM_FormatValueThousands(benchmark::State& state)
{
    Amount x = 1234567.891L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount::formatValue(x, 2, NumberFormat::Thousands, Spanish));
        x += 0.01L;
    }
}
BENCHMARK(BM_FormatValueThousands);

void BM_FormatValueEngineering(benchmark::State& state)
{
    Amount x = 12345678.9L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amount::formatValue(x, 2, NumberFormat::Engineering, Spanish));
        x += 0.01L;
    }
}
BENCHMARK(BM_FormatValueEngineering);

void BM_ValueRead(benchmark::State& state)
{
    AmountEdit edit;
    edit.setDecimals(2);
    edit.setNumberFormat(NumberFormat::Thousands);
    edit.setValue(1234567.89L);
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.value());
}
BENCHMARK(BM_ValueRead);

void BM_ValueWriteRead(benchmark::State& state)
{
    AmountEdit edit;
    edit.setDecimals(2);
    edit.setNumberFormat(NumberFormat::Thousands);
    Amount x = 1234567.891L;
    for (auto _ : state) {
        edit.setValue(x);
        benchmark::DoNotOptimize(edit.value());
        x += 0.01L;
    }
}
BENCHMARK(BM_ValueWriteRead);

} // namespace
