// The designer window on the certificate: opening it (the window built, shown and painted),
// and undoing and redoing a step that concerns all 35 of the certificate's objects.
#include "app/certificate/CertificateTemplate.h"
#include "bench/BenchMain.h"
#include "bench/DesignerCertificate.h"
#include "report/designer/DesignerDialogs.h"
#include "report/designer/TqxDesignerForm.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/designer/UndoHistory.h"
#include "report/engine/TqxComponent.h"
#include "report/engine/TqxReport.h"
#include "report/model/TemplatePageList.h"
#include "report/platform/DialogProvider.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;
using bench::CertificateReport;

void BM_OpenDesignerOnTheCertificate(benchmark::State &state)
{
    CertificateReport certificate;
    designer::TqxDesignerForm::Services services;
    services.dialogs = &certificate.dialogs;
    services.designerDialogs = &certificate.designerDialogs;
    for (auto _ : state) {
        designer::TqxDesignerForm window(certificate.report, true, services);
        window.resize(1280, 900);
        window.show();
        // Opened means on screen with the page painted, as the clerk sees it.
        window.canvas().repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.canvas().selection().count());
        window.hide();
    }
}
BENCHMARK(BM_OpenDesignerOnTheCertificate)->Unit(benchmark::kMillisecond)->MinTime(2.0);

/// A step of all objects recorded, then undone and redone in turns.
void BM_UndoAndRedoAStepOfAllObjects(benchmark::State &state)
{
    CertificateReport certificate;
    model::TqxPage &page = *certificate.report.Pages().page(0);
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        page.object(i)->Selected = true;
    designer::UndoHistory history;
    history.record(designer::TqxUndoKind::ukEdit, page, 0);
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        page.object(i)->Left += 4;
    bool undoing = true;
    for (auto _ : state) {
        const bool done = undoing ? history.undo(page, 0) : history.redo(page, 0);
        if (!done) {
            state.SkipWithError("the step went missing");
            break;
        }
        undoing = !undoing;
    }
    state.counters["objects"] = double(page.objectCount());
}
BENCHMARK(BM_UndoAndRedoAStepOfAllObjects)->Unit(benchmark::kMillisecond)->MinTime(1.0);

/// What a full history of 100 steps of all objects costs.
void BM_HundredStepsOfAllObjects(benchmark::State &state)
{
    CertificateReport certificate;
    model::TqxPage &page = *certificate.report.Pages().page(0);
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        page.object(i)->Selected = true;
    qsizetype bytes = 0;
    for (auto _ : state) {
        designer::UndoHistory history;
        for (int step = 0; step < designer::UndoHistory::kDefaultCapacity; ++step)
            history.record(designer::TqxUndoKind::ukEdit, page, 0);
        bytes = history.snapshotBytes();
    }
    state.counters["history_MB"] = double(bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_HundredStepsOfAllObjects)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
