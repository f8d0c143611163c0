// Timing of the full report for a register of 10,000 loans: the case assessed, its report
// values worked out, and the shipped template filled, as "Informe" does after "Calcular".
#include "Assessment.h"
#include "FullReport.h"
#include "RandomRegister.h"
#include "SamplePictures.h"
#include "TestSeparators.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace borrowing;

namespace {

Case tenThousandLoans()
{
    Case c;
    c.entityName = QStringLiteral("Gran Ciudad");
    c.entityProvince = QStringLiteral("Madrid");
    c.limitText = QStringLiteral("110");
    c.figures.revenueI = 9'000'000'000;
    c.figures.expenditureI = 7'000'000'000;
    c.plannedLoan = {.capital = 1'000'000, .rate = 3.5L, .years = 15, .accepted = true};
    c.loans = benchdata::randomRegister();
    return c;
}

void fill(const Assessment& assessment, const QString& output)
{
    const reports::ReportValues values(assessment, testsupport::Spanish);
    reports::fillFullReport(QStringLiteral(REPORT_TEMPLATE), output, values, samples::pictures());
}

// What "Informe" waits for: the assessment, the values and the filled template.
void BM_FullReportOfTenThousandLoans(benchmark::State& state)
{
    const Case c = tenThousandLoans();
    const QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("Informerelleno.rtf"));
    for (auto _ : state)
        fill(assess(c), output);
}
BENCHMARK(BM_FullReportOfTenThousandLoans)->Unit(benchmark::kMillisecond);

// Its parts: the assessment alone, and the filling of an assessed case.
void BM_AssessmentOfTenThousandLoans(benchmark::State& state)
{
    const Case c = tenThousandLoans();
    for (auto _ : state)
        benchmark::DoNotOptimize(assess(c));
}
BENCHMARK(BM_AssessmentOfTenThousandLoans)->Unit(benchmark::kMillisecond);

void BM_FillingTheReportOfTenThousandLoans(benchmark::State& state)
{
    const Assessment assessment = assess(tenThousandLoans());
    const QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("Informerelleno.rtf"));
    for (auto _ : state)
        fill(assessment, output);
}
BENCHMARK(BM_FillingTheReportOfTenThousandLoans)->Unit(benchmark::kMillisecond);

} // namespace
