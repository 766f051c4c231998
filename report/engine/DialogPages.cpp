#include "report/engine/DialogPages.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxReport.h"
#include "report/model/RunState.h"
#include "report/model/TqxPage.h"
#include "report/platform/MessageBox.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

namespace {

/// Makes a window the active dialog for "MODALRESULT" while it exists.
class ActiveDialogWindow
{
public:
    explicit ActiveDialogWindow(TqxDialogPageWindow &window)
        : m_saved(std::exchange(buildRunState().dialogWindow, &window))
    {}
    ~ActiveDialogWindow() { buildRunState().dialogWindow = m_saved; }
    ActiveDialogWindow(const ActiveDialogWindow &) = delete;
    ActiveDialogWindow &operator=(const ActiveDialogWindow &) = delete;

private:
    TqxDialogPageWindow *m_saved;
};

} // namespace

void TqxDialogPageWindow::setModalResult(int result)
{
    m_modalResult = result;
    if (result != 0 && m_close)
        m_close(result);
}

bool DialogPageRunner::run()
{
    model::TqxPages &pages = m_report.Pages();
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        model::TqxPage &page = *pages.page(i);
        if (page.PageType != model::TqxPage::ptDialog)
            continue;
        if (!runPage(page))
            return false;
        if (m_report.StopRequested)
            break;
    }
    return true;
}

bool DialogPageRunner::runPage(model::TqxPage &page)
{
    model::runState().currentPage = &page;
    TqxDialogPageWindow window(page);
    const ActiveDialogWindow active(window);
    try {
        if (ReportEvaluation *evaluation = m_report.evaluation())
            evaluation->runScript(page.Script, nullptr);
    } catch (const script::EvaluationError &error) {
        m_report.ReportEvaluationError(error.message());
        return true;
    }
    // A page with nothing on it, or a hidden one, only runs its script.
    if (page.objectCount() == 0 || !page.Visible)
        return true;
    if (window.modalResult() != 0)
        return window.modalResult() != platform::mrCancel;
    if (!m_host)
        return true;
    return m_host->showModal(window) != platform::mrCancel;
}

} // namespace tovren::engine
