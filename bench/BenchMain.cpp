// Entry point of the benchmark programs: an offscreen application with Spanish separators.
#include "LocaleSeparators.h"
#include "TestSeparators.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace amount;
using testsupport::Spanish;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testsupport::useSeparators(testsupport::Spanish);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
