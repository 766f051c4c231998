#include "report/engine/ReportPass.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/DialogPages.h"
#include "report/engine/PageEngine.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxDataset.h"
#include "report/engine/TqxReport.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPage.h"
#include "report/script/EvaluationError.h"

#include <algorithm>

namespace tovren::engine {

namespace {

/// The template's hook objects hear of every printed text while one pass runs. They leave the
/// library-wide list with the pass: the template may be read back afterwards, which destroys
/// them.
class PassHookObjects
{
public:
    explicit PassHookObjects(model::TqxPages &pages)
        : m_hooks(model::TqxGlobals::instance().hookObjects)
    {
        for (qsizetype p = 0; p < pages.Count(); ++p) {
            const model::TqxPage &page = *pages.page(p);
            if (page.PageType != model::TqxPage::ptReport)
                continue;
            for (qsizetype i = 0; i < page.objectCount(); ++i) {
                model::TqxView *view = page.object(i);
                if (view->Flags & model::TqxView::kHookObjectFlag) {
                    m_hooks.push_back(view);
                    m_added.push_back(view);
                }
            }
        }
    }
    ~PassHookObjects()
    {
        for (model::TqxView *view : m_added) {
            const auto it = std::find(m_hooks.begin(), m_hooks.end(), view);
            if (it != m_hooks.end())
                m_hooks.erase(it);
        }
    }
    PassHookObjects(const PassHookObjects &) = delete;
    PassHookObjects &operator=(const PassHookObjects &) = delete;

private:
    std::vector<model::TqxView *> &m_hooks;
    std::vector<model::TqxView *> m_added;
};

} // namespace

void ReportPass::run()
{
    BuildRunState &run = buildRunState();
    model::RunState &objects = model::runState();
    m_report.PagesRebuildable = true;
    objects.drawingMode = model::DrawingMode::Output;
    run.currentReport = &m_report;
    m_report.Dictionary().ClearCache();
    run.errorRaised = false;
    const bool multiple = m_report.ReportType == rtMultiple && m_report.Dataset;
    if (multiple) {
        m_report.Dataset->Prepare();
        m_report.Dataset->First();
    }
    // The final pass of a two-pass build shows no dialog page again and keeps its answer.
    if (!(m_report.FinalPass && m_report.TwoPass))
        run.dialogCancelled = !DialogPageRunner(m_report, m_report.dialogPageHost()).run();
    model::TqxPages &pages = m_report.Pages();
    if (run.dialogCancelled) {
        if (multiple)
            m_report.Dataset->Release();
        return;
    }

    const PassHookObjects hooks(pages);
    PageContinuation continuation;
    std::vector<std::unique_ptr<PageEngine>> engines(pages.Count());
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        model::TqxPage &page = *pages.page(i);
        if (page.PageType == model::TqxPage::ptReport) {
            objects.currentPage = &page;
            engines[i] = std::make_unique<PageEngine>(m_report, page, continuation);
        }
    }

    linkSubReportPages(pages, engines);
    for (auto &engine : engines) {
        if (engine)
            engine->PrepareObjects();
    }

    do {
        m_report.ProgressStep(run.pageIndex + 1);
        for (qsizetype i = 0; i < pages.Count() && !m_report.StopRequested; ++i) {
            model::TqxPage &page = *pages.page(i);
            objects.currentPage = &page;
            if (!page.Visible) {
                if (ReportEvaluation *evaluation = m_report.evaluation())
                    evaluation->runScript(page.Script, nullptr);
                continue;
            }
            // A sub-report page is output only inside the band of its sub-report object.
            if (!engines[i] || engines[i]->IsSubReportPage)
                continue;
            PageEngine &engine = *engines[i];
            if (m_report.evaluation())
                m_report.evaluation()->setPageEngine(&engine);
            engine.rewind();
            engine.FillPage();
            run.appendToPreviousPage = false;
            const bool nextContinues = i + 1 < pages.Count() && pages.page(i + 1)->PrintToPrevPage;
            if (nextContinues) {
                --run.pageIndex;
                run.appendToPreviousPage = true;
            } else {
                run.pageIndex = static_cast<int>(m_report.EMFPages().Count());
                m_report.ProgressStep(run.pageIndex);
            }
        }
        m_report.ProgressStep(run.pageIndex);
        if (multiple)
            m_report.Dataset->Next();
    } while (!m_report.StopRequested && multiple && !m_report.Dataset->Eof());

    if (m_report.evaluation())
        m_report.evaluation()->setPageEngine(nullptr);
    engines.clear();
    if (multiple)
        m_report.Dataset->Release();
}

} // namespace tovren::engine
