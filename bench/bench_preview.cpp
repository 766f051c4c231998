// Opening the preview on a very long report and jumping about in it: the time from the end of
// the build to the first page on screen, the redraw after a jump, and the memory held while
// paging through.
#include "bench/BenchMain.h"
#include "bench/CertificateRig.h"
#include "bench/PeakMemory.h"
#include "report/engine/TqxReport.h"
#include "report/platform/DialogProvider.h"
#include "report/preview/PreviewPageView.h"
#include "report/preview/TqxPreviewForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;

constexpr int kGraduates = 2000;
constexpr int kPages = 100000;
/// Stops spread evenly over the whole report when paging through it.
constexpr int kJumps = 1000;

class SilentDialogs : public platform::DialogProvider
{
public:
    int messageBox(const QString &, const QString &, int) override { return platform::mrOk; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

/// The certificate report built over a demo store, its prepared pages then repeated up to
/// kPages: real certificate pages, as many as a very large school prints at once.
struct LongReport
{
    bench::CertificateRig rig{kGraduates};
    engine::TqxReport &report = *rig.report;
    output::TqxPrinter &printer = rig.printer;
    SilentDialogs dialogs;

    LongReport()
    {
        report.BuildPages();
        engine::TqxEMFPages &pages = report.EMFPages();
        const qsizetype built = pages.Count();
        const model::TqxPage &templatePage = *report.Pages().page(0);
        for (qsizetype i = built; built > 0 && i < kPages; ++i) {
            engine::TqxPreparedPage &copy = pages.Insert(i, templatePage);
            const engine::TqxPreparedPage &original = pages.Page(i % built);
            copy.stream = original.stream;
            copy.metrics = original.metrics;
        }
    }

    static LongReport &instance()
    {
        static LongReport run;
        return run;
    }
};

/// Draws the page area as the screen would, whatever the platform's exposure state.
void paintNow(preview::TqxPreviewForm &form)
{
    QWidget *viewport = form.pageView().viewport();
    static QImage surface;
    if (surface.size() != viewport->size())
        surface = QImage(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    viewport->render(&surface);
}

/// True when the current page was really drawn (its objects are loaded while on screen).
bool currentPageDrawn(preview::TqxPreviewForm &form, engine::TqxReport &report)
{
    return report.EMFPages().Page(form.currentPage() - 1).unpacked != nullptr;
}

void BM_OpenPreviewOnLongReport(benchmark::State &state)
{
    LongReport &run = LongReport::instance();
    if (run.report.EMFPages().Count() != kPages) {
        state.SkipWithError("the report was not built");
        return;
    }
    for (auto _ : state) {
        preview::TqxPreviewForm form(run.report, run.printer, run.dialogs);
        form.resize(1024, 768);
        form.show();
        paintNow(form);
        state.PauseTiming();
        if (!currentPageDrawn(form, run.report))
            state.SkipWithError("the first page was not drawn");
        form.close();
        state.ResumeTiming();
    }
    state.counters["pages"] = double(kPages);
}
BENCHMARK(BM_OpenPreviewOnLongReport)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_JumpToPage(benchmark::State &state)
{
    LongReport &run = LongReport::instance();
    preview::TqxPreviewForm form(run.report, run.printer, run.dialogs);
    form.resize(1024, 768);
    form.show();
    form.setZoomMode(static_cast<preview::ZoomMode>(state.range(0)));
    paintNow(form);
    QRandomGenerator random(42);
    double slowestMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        form.goToPage(1 + random.bounded(kPages));
        paintNow(form);
        slowestMs = std::max(slowestMs, timer.nsecsElapsed() / 1e6);
        if (!currentPageDrawn(form, run.report))
            state.SkipWithError("the page was not drawn");
    }
    state.counters["slowest_ms"] = slowestMs;
}
BENCHMARK(BM_JumpToPage)
    ->Arg(int(preview::ZoomMode::PageWidth))
    ->Arg(int(preview::ZoomMode::TwoPages))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

void BM_PageThroughMemory(benchmark::State &state)
{
    LongReport &run = LongReport::instance();
    preview::TqxPreviewForm form(run.report, run.printer, run.dialogs);
    form.resize(1024, 768);
    form.show();
    form.setZoomFactor(0.5);
    paintNow(form);
    double startMb = 0;
    double highestMb = 0;
    for (auto _ : state) {
        startMb = bench::residentMegabytes();
        highestMb = startMb;
        for (int step = 1; step <= kJumps; ++step) {
            form.goToPage(step * (kPages / kJumps));
            paintNow(form);
            highestMb = std::max(highestMb, bench::residentMegabytes());
        }
    }
    int loaded = 0;
    for (qsizetype i = 0; i < run.report.EMFPages().Count(); ++i)
        loaded += run.report.EMFPages().Page(i).unpacked ? 1 : 0;
    state.counters["pages_loaded_after"] = loaded;
    state.counters["rss_start_mb"] = startMb;
    state.counters["rss_highest_mb"] = highestMb;
    state.counters["peak_rss_mb"] = bench::peakResidentMegabytes();
}
BENCHMARK(BM_PageThroughMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
