#include "report/engine/ReportPass.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/DialogPages.h"
#include "report/engine/PageEngine.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxDataset.h"
#include "report/engine/TqxReport.h"
#include "report/model/RunState.h"
#include "report/model/TqxPage.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

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
