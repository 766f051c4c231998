#pragma once

#include <functional>

namespace tovren::model {
class TqxPage;
}

namespace tovren::engine {

class TqxReport;

/// The window a dialog page is shown in, as the engine sees it: the page and the modal result
/// that the page's script ("MODALRESULT") or the window itself sets.
class TqxDialogPageWindow
{
public:
    explicit TqxDialogPageWindow(model::TqxPage &page)
        : m_page(page)
    {}
    TqxDialogPageWindow(const TqxDialogPageWindow &) = delete;
    TqxDialogPageWindow &operator=(const TqxDialogPageWindow &) = delete;

    model::TqxPage &page() const { return m_page; }
    int modalResult() const { return m_modalResult; }
    /// A non-zero result closes the window while it is shown.
    void setModalResult(int result);
    /// What closes the shown window with a result; the host sets it while the window is up.
    void setCloseRequest(std::function<void(int result)> close) { m_close = std::move(close); }

private:
    model::TqxPage &m_page;
    int m_modalResult = 0;
    std::function<void(int)> m_close;
};

/// Shows dialog pages while a report is built. The widget layer implements it with a real
/// window; a build without a host shows no dialog page and goes on as if each was confirmed.
class TqxDialogPageHost
{
public:
    virtual ~TqxDialogPageHost() = default;
    /// Shows the window's page with its controls modally; returns the result it closed with
    /// (platform::ModalResult values; mrCancel abandons the build).
    virtual int showModal(TqxDialogPageWindow &window) = 0;
};

/// Runs the dialog pages of a report, in template order, before its report pages are built:
/// each page's script runs once, then the page is shown unless the script already gave the
/// window its result. The first page closed with the cancel result stops the run.
class DialogPageRunner
{
public:
    DialogPageRunner(TqxReport &report, TqxDialogPageHost *host)
        : m_report(report)
        , m_host(host)
    {}
    /// False when a dialog page was cancelled.
    bool run();

private:
    /// False when this page was cancelled.
    bool runPage(model::TqxPage &page);

    TqxReport &m_report;
    TqxDialogPageHost *m_host;
};

} // namespace tovren::engine
