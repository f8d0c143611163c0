// Entry point of the benchmark programs: an offscreen application with Spanish separators.
#include "LocaleSeparators.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    numedit::SetSeparatorSource([] { return numedit::Separators{u',', u'.'}; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
