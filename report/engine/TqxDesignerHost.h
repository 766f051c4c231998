#pragma once

namespace tovren::engine {

class TqxReport;

/// The window that edits a report's template. The engine knows no widgets, so the designer
/// registers itself at start-up, as the preview window does; a program without windows
/// registers none, and then a report can be neither designed nor have its pages edited.
class TqxDesignerHost
{
public:
    virtual ~TqxDesignerHost() = default;

    /// Shows the designer modally on every page of @p report's template (whole-report mode)
    /// and returns the window's modal result.
    virtual int designReport(TqxReport &report) = 0;

    /// Shows the designer modally on the only template page of @p report, a prepared page
    /// turned back into objects (page-edit mode); true when the person changed it.
    virtual bool designPreparedPage(TqxReport &report) = 0;

    /// The registered designer, or nullptr.
    static TqxDesignerHost *registered();
};

/// Registers a designer for as long as it lives and puts the previous one back when it goes.
class TqxDesignerRegistration
{
public:
    explicit TqxDesignerRegistration(TqxDesignerHost &host);
    ~TqxDesignerRegistration();
    TqxDesignerRegistration(const TqxDesignerRegistration &) = delete;
    TqxDesignerRegistration &operator=(const TqxDesignerRegistration &) = delete;

private:
    TqxDesignerHost *m_previous;
};

} // namespace tovren::engine
