#include "report/preview/PrintProgress.h"

#include "report/engine/TqxReport.h"

namespace tovren::preview {

PrintProgress::PrintProgress(engine::TqxReport &report)
    : m_report(report)
{
    m_report.StopRequested = false;
    if (windowShown()) {
        const QString caption = QStringLiteral("正在准备报表");
        m_report.progressSink()->beginPass(
            m_report.Title.isEmpty() ? caption : caption + QStringLiteral(" - ") + m_report.Title,
            QStringLiteral("正在打印页:"));
    }
}

PrintProgress::~PrintProgress()
{
    if (windowShown())
        m_report.progressSink()->endPass();
}

bool PrintProgress::windowShown() const
{
    return m_report.progressSink() && m_report.ShowProgress && !m_report.OnProgress;
}

output::PrintJob::Hooks PrintProgress::hooks() const
{
    output::PrintJob::Hooks hooks;
    hooks.progress = [this](int pageNumber) {
        if (m_report.OnProgress)
            m_report.OnProgress(pageNumber);
        else if (windowShown())
            m_report.progressSink()->step(pageNumber, 0);
    };
    hooks.stopRequested = [this] { return m_report.StopRequested; };
    return hooks;
}

} // namespace tovren::preview
