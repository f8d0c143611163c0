// Timing of the register's dialog with 10,000 loans: opening it, removing 1,000 of them,
// scattered or together, and one cell edited with the totals it changes.
#include "LoansDialog.h"
#include "LoansModel.h"
#include "RandomRegister.h"

#include <QCoreApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

using editors::LoansModel;

// Every tenth loan, or the thousand from the middle of the register.
QList<int> thousandRows(bool scattered)
{
    QList<int> rows;
    for (int i = 0; i < 1000; ++i)
        rows << (scattered ? i * 10 : 4500 + i);
    return rows;
}

void BM_RemoveThousandOfTenThousandLoans(benchmark::State& state)
{
    const std::vector<borrowing::Loan> loans = benchdata::randomRegister();
    const QList<int> rows = thousandRows(state.range(0) != 0);
    LoansModel model;
    // A table that shows the model, as the dialog's does.
    QTableView view;
    view.setModel(&model);
    view.resize(900, 400);
    for (auto _ : state) {
        state.PauseTiming();
        model.setLoans(loans);
        state.ResumeTiming();
        model.removeLoans(rows);
        benchmark::DoNotOptimize(model.summary().all.annuity);
    }
}
BENCHMARK(BM_RemoveThousandOfTenThousandLoans)
    ->Arg(1)
    ->Arg(0)
    ->ArgNames({"scattered"})
    ->Unit(benchmark::kMillisecond);

// The dialog opened on the register: every loan counted and the table shown.
void BM_OpenTheRegisterOfTenThousandLoans(benchmark::State& state)
{
    const std::vector<borrowing::Loan> loans = benchdata::randomRegister();
    editors::LoansDialog dialog;
    for (auto _ : state) {
        dialog.setLoans(loans);
        dialog.show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenTheRegisterOfTenThousandLoans)->Unit(benchmark::kMillisecond);

// A capital typed into one row, checked, and the register's totals the totals row shows.
void BM_TotalsAfterOneCellEdit(benchmark::State& state)
{
    LoansModel model;
    model.setLoans(benchdata::randomRegister());
    const QModelIndex cell = model.index(5000, LoansModel::Capital);
    amount::Amount capital = 100000;
    for (auto _ : state) {
        capital += 1;
        model.setFigure(cell, capital);
        benchmark::DoNotOptimize(
            model.data(model.index(model.rowCount() - 1, LoansModel::Annuity), Qt::DisplayRole));
    }
}
BENCHMARK(BM_TotalsAfterOneCellEdit)->Unit(benchmark::kMillisecond);

} // namespace
