#pragma once

#include <QString>

namespace tovren::engine {

class TqxReport;

/// How a request to show prepared pages ended.
enum class TqxPreviewOutcome {
    Shown,           ///< a preview window showed the pages
    NoPages,         ///< there was nothing to show, so no window was opened
    NoPreviewWindow, ///< no preview window is registered (a program without windows)
};

/// The window that shows a report's prepared pages. The engine knows no widgets, so the widget
/// layer registers one at start-up, as it registers the designer; a program without windows
/// (the command line, tests of the engine) registers none.
class TqxPreviewHost
{
public:
    virtual ~TqxPreviewHost() = default;

    /// Shows the prepared pages of @p report in a window titled @p caption: modally when the
    /// report's ModalPreview is set (returning when the window closes), modeless otherwise.
    virtual void showPreview(TqxReport &report, const QString &caption) = 0;

    /// The registered preview window, or nullptr.
    static TqxPreviewHost *registered();
};

/// Registers a preview window for as long as it lives and puts the previous one back when it
/// goes, so a window or a test can install its own for a while.
class TqxPreviewRegistration
{
public:
    explicit TqxPreviewRegistration(TqxPreviewHost &host);
    ~TqxPreviewRegistration();
    TqxPreviewRegistration(const TqxPreviewRegistration &) = delete;
    TqxPreviewRegistration &operator=(const TqxPreviewRegistration &) = delete;

private:
    TqxPreviewHost *m_previous;
};

} // namespace tovren::engine
