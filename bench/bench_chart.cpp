// A report that draws a chart on every page: 1,000 pages, each listing ten values that a bar
// chart below them collects, built and written to a PDF as one command would do it.
#include "bench/BenchMain.h"
#include "bench/PeakMemory.h"
#include "report/chart/ChartRegistration.h"
#include "report/chart/TqxChartView.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TqxDataset.h"
#include "report/engine/TqxReport.h"
#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/output/TqxPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;

constexpr int kPages = 1000;
constexpr int kValuesPerChart = 10;

/// The chart report over two user data sources: "Pages" with one record per page and "Items"
/// with the ten values of each page's chart.
struct ChartReportRig
{
    ChartReportRig()
    {
        chart::registerChartObject();
        registry.registerForm(form);
        pages->setRangeEnd(engine::reCount);
        pages->setRangeEndCount(kPages);
        items->setRangeEnd(engine::reCount);
        items->setRangeEndCount(kValuesPerChart);
        printer.initialize(nullptr);
        report.ShowProgress = false;
        buildTemplate(*report.Pages().page(report.Pages().Add()));
    }
    ~ChartReportRig() { registry.unregisterForm(form); }

    void buildTemplate(model::TqxPage &page)
    {
        auto &perPage = addBand(page, model::btMasterData, 0, 30, QStringLiteral("Pages"));
        perPage.Flags |= model::TqxBandView::kFormNewPageFlag;
        addText(page, 10, 5, QStringLiteral("第 [Line#] 页"), QStringLiteral("PageTitle"));
        addBand(page, model::btDetailData, 40, 20, QStringLiteral("Items"));
        addText(page, 10, 40, QStringLiteral("项目 [Line#]"), QStringLiteral("ItemLabel"));
        addText(page, 220, 40, QStringLiteral("[Line# * 7 mod 11 + 1]"),
                QStringLiteral("ItemValue"));
        addBand(page, model::btDetailFooter, 70, 320, QString());
        auto chart = std::make_unique<chart::TqxChartView>();
        chart->Name = QStringLiteral("Chart1");
        chart->SetBounds(10, 75, 660, 300);
        chart->FrameTyp = model::qxftLeft | model::qxftTop | model::qxftRight | model::qxftBottom;
        chart->ChartSettings.seriesKind = quint8(chart::SeriesKind::Bar);
        chart->ChartSettings.axesVisible = true;
        chart->LegendSource = QStringLiteral("ItemLabel");
        chart->ValueSource = QStringLiteral("ItemValue");
        page.addObject(std::move(chart));
    }

    model::TqxBandView &addBand(model::TqxPage &page, int type, int top, int height,
                                const QString &source)
    {
        auto band = std::make_unique<model::TqxBandView>();
        band->setBandType(type);
        band->SetBounds(0, top, 700, height);
        band->Flags = 0;
        band->CustomFormat = source;
        band->MakeUniqueName(
            [&page](const QString &name) { return page.FindObjectByName(name) != nullptr; });
        return static_cast<model::TqxBandView &>(page.addObject(std::move(band)));
    }

    void addText(model::TqxPage &page, int left, int top, const QString &text, const QString &name)
    {
        auto memo = std::make_unique<model::TqxMemoView>();
        memo->Name = name;
        memo->SetBounds(left, top, 200, 20);
        memo->Flags = 0;
        memo->Memo = QStringList{text};
        page.addObject(std::move(memo));
    }

    QTemporaryDir dir;
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form{QStringLiteral("Form1")};
    engine::TqxUserDataset *pages = new engine::TqxUserDataset(QStringLiteral("Pages"), &form);
    engine::TqxUserDataset *items = new engine::TqxUserDataset(QStringLiteral("Items"), &form);
    output::TqxPrinter printer;
    engine::TqxReport report{QStringLiteral("qxReport1"), &form, registry, &printer};
};

/// Build and PDF together: what a person waits for between asking for the PDF and having it.
void BM_BuildAndWriteChartPdf(benchmark::State &state)
{
    ChartReportRig rig;
    const QString path = rig.dir.filePath(QStringLiteral("charts.pdf"));
    double buildSeconds = 0;
    double pdfSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!rig.report.BuildPages() || rig.report.EMFPages().Count() != kPages) {
            state.SkipWithError("the build did not give one page per record");
            break;
        }
        buildSeconds += timer.nsecsElapsed() / 1e9;
        timer.restart();
        engine::PdfExportFilter filter;
        if (!rig.report.ExportPages(filter, path)) {
            state.SkipWithError("the PDF could not be written");
            break;
        }
        pdfSeconds += timer.nsecsElapsed() / 1e9;
    }
    const double runs = double(state.iterations());
    state.counters["pages_per_s"] =
        benchmark::Counter(kPages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["build_s"] = buildSeconds / runs;
    state.counters["pdf_s"] = pdfSeconds / runs;
    state.counters["pdf_mb"] = QFileInfo(path).size() / 1e6;
    state.counters["peak_rss_mb"] = bench::peakResidentMegabytes();
}
BENCHMARK(BM_BuildAndWriteChartPdf)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // Qt Charts draws through a graphics scene, which needs the widgets' application object.
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
