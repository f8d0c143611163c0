// Timing of the debt year by year for a register of 10,000 loans: the projection alone, and
// the dialog from its creation to its first painted frame; and one frame of the chart.
#include "DebtChart.h"
#include "EvolutionDialog.h"
#include "RandomRegister.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <benchmark/benchmark.h>

using namespace borrowing;

namespace {

ProjectionFigures tenThousandLoans()
{
    return {.loans = benchdata::randomRegister(),
            .plannedLoan = {QStringLiteral("Nueva"), 1'000'000, 3.5L, 15},
            .constantDebt = 50'000,
            .revenue = 5'000'000'000,
            .debt = 4'000'000'000,
            .revenueGrowth = 2};
}

void BM_ProjectionOfTenThousandLoans(benchmark::State& state)
{
    const ProjectionFigures figures = tenThousandLoans();
    for (auto _ : state)
        benchmark::DoNotOptimize(projectDebt(figures));
}
BENCHMARK(BM_ProjectionOfTenThousandLoans)->Unit(benchmark::kMillisecond);

// Notes when the chart is first painted.
class FirstPaint final : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void BM_EvolutionDialogToItsFirstFrame(benchmark::State& state)
{
    const ProjectionFigures figures = tenThousandLoans();
    for (auto _ : state) {
        app::EvolutionDialog dialog;
        FirstPaint watcher;
        dialog.findChild<charts::DebtChart*>()->installEventFilter(&watcher);
        dialog.showProjection(projectDebt(figures));
        dialog.show();
        while (!watcher.painted)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EvolutionDialogToItsFirstFrame)->Unit(benchmark::kMillisecond);

// Today and ten years, repainted at an unchanged size as when the dialog is uncovered.
void BM_DebtChartRepaint(benchmark::State& state)
{
    std::vector<charts::DebtChartYear> years;
    for (int year = 1; year <= 10; ++year)
        years.push_back({2024 + year, 2e6L - year * 1e5L, 90.0L - year * 4});
    charts::DebtChart chart;
    chart.setYears(years, charts::DebtChartYear{2024, 2e6L, 95.0L});
    chart.resize(chart.sizeHint());
    QImage image(chart.size(), QImage::Format_RGB32);
    for (auto _ : state)
        chart.render(&image);
}
BENCHMARK(BM_DebtChartRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
