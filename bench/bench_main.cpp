// Runs the benchmarks on a headless toolkit: no display is needed.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <unistd.h>

#include "bench_state.h"
#include "summary_reporter.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    tk::Init(argc, argv);
    tk::SetScripted(true);
    qm::bench::SummaryReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                              : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    qm::bench::CloseEditor();
    tk::Shutdown();
    benchmark::Shutdown();
    return 0;
}
