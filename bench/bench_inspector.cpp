// The object inspector on the certificate: filling it for a selection of all 35 objects, and
// committing one value to all of them with its undo step and the repaint.
#include "app/certificate/CertificateTemplate.h"
#include "bench/BenchMain.h"
#include "bench/DesignerCertificate.h"
#include "report/designer/DesignerDialogs.h"
#include "report/designer/DesignerInspector.h"
#include "report/designer/TqxDesignerForm.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/designer/UndoHistory.h"
#include "report/dialogs/TqxInspForm.h"
#include "report/engine/TqxComponent.h"
#include "report/engine/TqxReport.h"
#include "report/model/TemplatePageList.h"
#include "report/platform/DialogProvider.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace tovren;
using bench::CertificateReport;

/// The designer on screen with every object of the certificate selected.
struct AllSelected
{
    AllSelected()
    {
        services.dialogs = &certificate.dialogs;
        services.designerDialogs = &certificate.designerDialogs;
        window = std::make_unique<designer::TqxDesignerForm>(certificate.report, true, services);
        window->resize(1280, 900);
        window->show();
        window->selectAll();
        QApplication::processEvents();
    }

    CertificateReport certificate;
    designer::TqxDesignerForm::Services services;
    std::unique_ptr<designer::TqxDesignerForm> window;
};

void BM_RefillInspectorForAllObjects(benchmark::State &state)
{
    AllSelected designer;
    dialogs::TqxInspForm &inspector = designer.window->inspector().window();
    for (auto _ : state) {
        designer.window->inspector().refill();
        benchmark::DoNotOptimize(inspector.rowCount());
    }
    state.counters["objects"] = double(designer.window->canvas().selection().count());
    state.counters["rows"] = double(inspector.rowCount());
}
BENCHMARK(BM_RefillInspectorForAllObjects)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_CommitOneValueToAllObjects(benchmark::State &state)
{
    AllSelected designer;
    dialogs::TqxInspForm &inspector = designer.window->inspector().window();
    int row = -1;
    for (int i = 0; i < inspector.rowCount(); ++i) {
        if (inspector.row(i).name == u"Width")
            row = i;
    }
    if (row < 0) {
        state.SkipWithError("no common Width row");
        return;
    }
    inspector.SelectRow(row);
    bool wide = true;
    for (auto _ : state) {
        // The step, the write to every object, the refill and the repaint of the page.
        inspector.CommitText(wide ? QStringLiteral("120") : QStringLiteral("100"));
        designer.window->canvas().repaint();
        wide = !wide;
    }
}
BENCHMARK(BM_CommitOneValueToAllObjects)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
