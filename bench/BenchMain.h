#pragma once

#include <QByteArray>
#include <benchmark/benchmark.h>

namespace tovren::bench {

/// Runs the registered benchmarks under an offscreen @p Application with the pinned fonts, so
/// text is measured and drawn as in the tests.
template<class Application>
int runBenchmarks(int argc, char **argv)
{
    qputenv("FONTCONFIG_FILE", TOVREN_BENCH_FONTCONFIG);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tovren::bench
