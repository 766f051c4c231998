// One PDF per graduate: naming every record's file and writing the files of a whole store.
#include "app/batch/PerRecordPdfExport.h"
#include "app/batch/RecordFileNames.h"
#include "bench/BenchMain.h"
#include "bench/CertificateRig.h"

#include <QDir>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;

constexpr int kGraduates = 10000;

bench::CertificateRig &certificateRun()
{
    static bench::CertificateRig run(kGraduates);
    return run;
}

void BM_NameRecordFiles(benchmark::State &state)
{
    bench::CertificateRig &run = certificateRun();
    for (auto _ : state) {
        const QStringList names = app::recordFileNames(
            *run.query, app::defaultRecordNameExpression(), QStringLiteral(".pdf"));
        if (names.size() != kGraduates)
            state.SkipWithError("not one name per graduate");
    }
    state.counters["names_per_s"] =
        benchmark::Counter(kGraduates, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_NameRecordFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PdfEach(benchmark::State &state)
{
    bench::CertificateRig &run = certificateRun();
    const QStringList names = app::recordFileNames(*run.query, app::defaultRecordNameExpression(),
                                                   QStringLiteral(".pdf"));
    const QString folder = run.dir.filePath(QStringLiteral("each"));
    for (auto _ : state) {
        app::PerRecordPdfExport each(*run.report, run.components->reportDataSet(), *run.query);
        if (each.write(folder, names).size() != kGraduates)
            state.SkipWithError("not one file per graduate");
        state.PauseTiming();
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["files_per_s"] =
        benchmark::Counter(kGraduates, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PdfEach)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QGuiApplication>(argc, argv);
}
