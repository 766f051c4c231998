// Building the certificates of a whole store, and writing them out: what a person waits for
// between pressing print and seeing the preview, and for a batch PDF or .qxp file.
#include "bench/BenchMain.h"
#include "bench/CertificateRig.h"
#include "bench/PeakMemory.h"
#include "report/engine/PdfExportFilter.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

using namespace tovren;

constexpr int kGraduates = 10000;

/// The certificate rig over kGraduates, made once for all the benchmarks.
bench::CertificateRig &certificateRun()
{
    static bench::CertificateRig run(kGraduates);
    return run;
}

void BM_BuildCertificates(benchmark::State &state)
{
    engine::TqxReport &report = *certificateRun().report;
    for (auto _ : state) {
        if (!report.BuildPages() || report.EMFPages().Count() != kGraduates)
            state.SkipWithError("the build did not give one page per graduate");
    }
    state.counters["pages_per_s"] =
        benchmark::Counter(kGraduates, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_mb"] = bench::peakResidentMegabytes();
}
BENCHMARK(BM_BuildCertificates)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WritePdf(benchmark::State &state)
{
    bench::CertificateRig &run = certificateRun();
    if (run.report->EMFPages().Count() != kGraduates)
        run.report->BuildPages();
    const QString path = run.dir.filePath(QStringLiteral("out.pdf"));
    for (auto _ : state) {
        engine::PdfExportFilter filter;
        if (!run.report->ExportPages(filter, path))
            state.SkipWithError("export failed");
    }
    state.counters["pages_per_s"] =
        benchmark::Counter(kGraduates, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WritePdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SavePagesFile(benchmark::State &state)
{
    bench::CertificateRig &run = certificateRun();
    if (run.report->EMFPages().Count() != kGraduates)
        run.report->BuildPages();
    const QString path = run.dir.filePath(QStringLiteral("out.qxp"));
    for (auto _ : state) {
        if (!run.report->SavePagesFile(path))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SavePagesFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadPagesFile(benchmark::State &state)
{
    bench::CertificateRig &run = certificateRun();
    const QString path = run.dir.filePath(QStringLiteral("out.qxp"));
    if (!QFile::exists(path)) {
        run.report->BuildPages();
        run.report->SavePagesFile(path);
    }
    for (auto _ : state) {
        if (!run.report->LoadPagesFile(path) || run.report->EMFPages().Count() != kGraduates)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadPagesFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
