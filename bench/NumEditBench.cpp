// Timings of amount formatting and of reading an amount field's value.
#include "KaNumEdit.h"
#include "NumberFormat.h"

#include <benchmark/benchmark.h>

namespace {

const numedit::Separators Spanish{u',', u'.'};

void BM_FormatValueThousands(benchmark::State& state)
{
    Amount x = 1234567.891L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numedit::FormatValue(x, 2, TNumberFormat::Thousands, Spanish));
        x += 0.01L;
    }
}
BENCHMARK(BM_FormatValueThousands);

void BM_FormatValueEngineering(benchmark::State& state)
{
    Amount x = 12345678.9L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numedit::FormatValue(x, 2, TNumberFormat::Engineering, Spanish));
        x += 0.01L;
    }
}
BENCHMARK(BM_FormatValueEngineering);

void BM_ValueRead(benchmark::State& state)
{
    TKaNumEdit edit;
    edit.setDecimals(2);
    edit.setNumberFormat(TNumberFormat::Thousands);
    edit.setValue(1234567.89L);
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.Value());
}
BENCHMARK(BM_ValueRead);

void BM_ValueWriteRead(benchmark::State& state)
{
    TKaNumEdit edit;
    edit.setDecimals(2);
    edit.setNumberFormat(TNumberFormat::Thousands);
    Amount x = 1234567.891L;
    for (auto _ : state) {
        edit.setValue(x);
        benchmark::DoNotOptimize(edit.Value());
        x += 0.01L;
    }
}
BENCHMARK(BM_ValueWriteRead);

} // namespace
