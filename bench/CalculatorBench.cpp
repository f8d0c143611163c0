// Timing of a 100-year loan calculation and its amortisation table (1200 rows).
#include "AmountEdit.h"
#include "LoanCalculatorDialog.h"

#include <benchmark/benchmark.h>

using namespace calculator;
using amount::Amount;

namespace {

void BM_HundredYearTable(benchmark::State& state)
{
    LoanCalculatorDialog calculator;
    calculator.capitalField()->setValue(100000);
    calculator.rateField()->setValue(5);
    calculator.yearsField()->setValue(100);
    for (auto _ : state)
        calculator.calculate();
}
BENCHMARK(BM_HundredYearTable)->Unit(benchmark::kMillisecond);

} // namespace
