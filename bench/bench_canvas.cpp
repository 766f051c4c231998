// The designer's page canvas on the certificate: a full repaint of the page, and one step of
// dragging all of its text objects (the move and the repaint it causes).
#include "app/certificate/CertificateTemplate.h"
#include "bench/BenchMain.h"
#include "bench/DesignerBenchRig.h"
#include "report/designer/DesignerHost.h"
#include "report/designer/PageScrollBox.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TqxPages.h"
#include "report/platform/DialogProvider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using namespace tovren;
using bench::ExactPaper;
using bench::SilentDialogs;

/// The window's side with its default options: grid 4, live repainting while dragging.
class BenchHost : public designer::DesignerHost
{
public:
    designer::ObjectTool currentTool() const override { return {}; }
    bool stickyTool() const override { return false; }
    designer::CanvasOptions canvasOptions() const override { return {}; }
    designer::LastUsedFormat lastUsedFormat() const override { return {}; }
    platform::DialogProvider &dialogs() override { return m_dialogs; }
    std::optional<int> chooseBandType(bool) override { return std::nullopt; }
    void pressSelectTool() override {}
    void recordUndoStep(designer::UndoStepKind) override {}
    void markModified() override {}
    void selectionChanged() override {}
    void selectionGeometryChanged() override {}
    void showTrackingRect(const std::optional<designer::TrackingRect> &) override {}
    void openObjectEditor(model::TqxView &, bool) override {}
    void openPageEditor() override {}
    void openContextMenu(const QPoint &) override {}
    void pageListChanged() override {}

private:
    SilentDialogs m_dialogs{platform::mrOk};
};

/// Counts the canvas's paint events and the pixels they covered.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    qint64 pixels = 0;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
        }
        return false;
    }
};

struct CertificateCanvas
{
    CertificateCanvas()
    {
        app::buildCertificateTemplate(pages, settings, info);
        box.resize(1024, 768);
        box.show();
        canvas().setPage(&pages, 0);
        canvas().installEventFilter(&counter);
        QApplication::processEvents();
    }

    designer::TqxDesignerPage &canvas() { return box.canvas(); }

    void send(QEvent::Type type, QPoint point, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, point, canvas().mapToGlobal(point), button, held, Qt::NoModifier);
        QApplication::sendEvent(&canvas(), &event);
    }

    ExactPaper paper;
    model::TqxPages pages{&paper};
    model::TemplateSettings settings;
    model::ReportInfo info;
    BenchHost host;
    designer::PageScrollBox box{host};
    PaintCounter counter;
};

void BM_RepaintCertificatePage(benchmark::State &state)
{
    CertificateCanvas shown;
    const int before = shown.counter.paints;
    for (auto _ : state)
        shown.canvas().repaint();
    if (shown.counter.paints - before != int(state.iterations()))
        state.SkipWithError("the canvas was not painted every time");
    state.counters["objects"] = double(shown.pages.page(0)->objectCount() - 1);
}
BENCHMARK(BM_RepaintCertificatePage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DragAllTextObjectsOneStep(benchmark::State &state)
{
    CertificateCanvas shown;
    model::TqxPage &page = *shown.pages.page(0);
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        page.object(i)->Selected = page.object(i)->ObjectKind != model::okBand;
    shown.canvas().refreshAfterChange();
    QApplication::processEvents();

    const model::TqxView &name = *page.FindObjectByName(QStringLiteral("Memo3"));
    const QPoint grip(name.Left + 10, name.Top + 10);
    shown.send(QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
    shown.send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    const int paintsBefore = shown.counter.paints;
    const qint64 pixelsBefore = shown.counter.pixels;
    int step = 0;
    for (auto _ : state) {
        // Back and forth by one grid step, so the objects stay on the page.
        const QPoint to = grip + QPoint((step++ % 2 == 0) ? 4 : 0, 0);
        shown.send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
    }
    shown.send(QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    const int paints = shown.counter.paints - paintsBefore;
    if (paints < int(state.iterations()))
        state.SkipWithError("not every step was repainted");
    state.counters["painted_px_per_step"] =
        double(shown.counter.pixels - pixelsBefore) / std::max<qint64>(1, paints);
}
BENCHMARK(BM_DragAllTextObjectsOneStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    return tovren::bench::runBenchmarks<QApplication>(argc, argv);
}
