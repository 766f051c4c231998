// Building the certificates of a whole store under the progress window, against the same build
// with no window: what the window's page line and its event pumping cost a long build.
#include "app/certificate/CertificateTemplate.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"
#include "app/reportbridge/MainFormComponents.h"
#include "report/dialogs/TqxProgressForm.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/TqxPrinter.h"

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;

constexpr int kGraduates = 10000;

/// A demo store of graduates with the certificate report over its browse query.
struct CertificateRun
{
    QTemporaryDir dir;
    db::TDbConnection connection{db::ConnectionSpec::parse(dir.filePath(QStringLiteral("b.db")))};
    std::unique_ptr<db::TDbQuery> query;
    engine::TqxComponentRegistry registry;
    std::unique_ptr<app::MainFormComponents> components;
    output::TqxPrinter printer;
    std::unique_ptr<engine::TqxReport> report;
    dialogs::TqxProgressForm progress;

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
        QBuffer stream;
        stream.setData(*model::readReportFormData(app::certificateReportForm(), true));
        stream.open(QIODevice::ReadOnly);
        report->ReadTemplate(stream);
        progress.attachTo(*report);
    }

    static CertificateRun &instance()
    {
        static CertificateRun run;
        return run;
    }
};

void buildCertificates(benchmark::State &state, bool withWindow)
{
    engine::TqxReport &report = *CertificateRun::instance().report;
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
    qputenv("FONTCONFIG_FILE", TOVREN_BENCH_FONTCONFIG);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
