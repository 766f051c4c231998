#pragma once

#include "report/output/PrintJob.h"

namespace tovren::engine {
class TqxReport;
}

namespace tovren::preview {

/// The progress of one print of a report's pages, shown as its builds are: through the report's
/// OnProgress handler, or in its progress window with the page being printed and Cancel, which
/// stops the print after that page.
///
/// The window is up for the lifetime of this object.
class PrintProgress
{
public:
    /// @p report is not owned and must outlive this object.
    explicit PrintProgress(engine::TqxReport &report);
    ~PrintProgress();
    PrintProgress(const PrintProgress &) = delete;
    PrintProgress &operator=(const PrintProgress &) = delete;

    /// What the print job reports to and asks of the progress.
    output::PrintJob::Hooks hooks() const;

private:
    bool windowShown() const;

    engine::TqxReport &m_report;
};

} // namespace tovren::preview
