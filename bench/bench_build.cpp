// Building the certificates of a whole store, and writing them out: what a person waits for
// between pressing print and seeing the preview, and for a batch PDF or .qxp file.
#include "app/certificate/CertificateTemplate.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"
#include "app/reportbridge/MainFormComponents.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/TqxPrinter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include "bench/PeakMemory.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

namespace {

using namespace tovren;

constexpr int kGraduates = 10000;

/// A demo store of graduates with the certificate report over its browse query.
struct CertificateRun
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.db"));
    db::TDbConnection connection{db::ConnectionSpec::parse(path)};
    std::unique_ptr<db::TDbQuery> query;
    engine::TqxComponentRegistry registry;
    std::unique_ptr<app::MainFormComponents> components;
    output::TqxPrinter printer;
    std::unique_ptr<engine::TqxReport> report;

    CertificateRun()
    {
        demo::writeDemoGraduates(connection, kGraduates, 7);
        connection.open();
        query = std::make_unique<db::TDbQuery>(connection);
        query->setSql(QStringLiteral("Select * from info"));
        query->open();
        components = std::make_unique<app::MainFormComponents>(*query, registry);
        printer.initialize(nullptr);
        report = std::make_unique<engine::TqxReport>(QStringLiteral("qxReport1"),
                                                     &components->form(), registry, &printer);
        report->ShowProgress = false;
        QBuffer stream;
        stream.setData(*model::readReportFormData(app::certificateReportForm(), true));
        stream.open(QIODevice::ReadOnly);
        report->ReadTemplate(stream);
    }

    static CertificateRun &instance()
    {
        static CertificateRun run;
        return run;
    }
};

void BM_BuildCertificates(benchmark::State &state)
{
    engine::TqxReport &report = *CertificateRun::instance().report;
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
    CertificateRun &run = CertificateRun::instance();
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
    CertificateRun &run = CertificateRun::instance();
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
    CertificateRun &run = CertificateRun::instance();
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
    qputenv("FONTCONFIG_FILE", TOVREN_BENCH_FONTCONFIG);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
