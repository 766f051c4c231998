// Building the certificates of a whole store under the progress window, against the same build
// with no window: what the window's page line and its event pumping cost a long build.
#include "bench/BenchMain.h"
#include "bench/CertificateRig.h"
#include "report/dialogs/TqxProgressForm.h"
#include "report/engine/TqxReport.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;

constexpr int kGraduates = 10000;

/// The certificate rig over kGraduates with the progress window attached, made once.
struct CertificateRun
{
    bench::CertificateRig rig{kGraduates};
    dialogs::TqxProgressForm progress;

    CertificateRun() { progress.attachTo(*rig.report); }

    static CertificateRun &instance()
    {
        static CertificateRun run;
        return run;
    }
};

void buildCertificates(benchmark::State &state, bool withWindow)
{
    engine::TqxReport &report = *CertificateRun::instance().rig.report;
    report.ShowProgress = withWindow;
    for (auto _ : state) {
        if (!report.BuildPages() || report.EMFPages().Count() != kGraduates)
            state.SkipWithError("the build did not give one page per graduate");
    }
    state.counters["pages_per_s"] =
        benchmark::Counter(kGraduates, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BuildWithoutProgressWindow(benchmark::State &state)
{
    buildCertificates(state, false);
}
BENCHMARK(BM_BuildWithoutProgressWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BuildUnderProgressWindow(benchmark::State &state)
{
    buildCertificates(state, true);
}
BENCHMARK(BM_BuildUnderProgressWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
