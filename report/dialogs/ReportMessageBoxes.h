#pragma once

#include "report/engine/TqxReport.h"
#include "report/platform/DialogProvider.h"

namespace tovren::dialogs {

/// Shows what a report must tell the user (the build's error message, a damaged template) in
/// message boxes with the error icon.
class ReportMessageBoxes : public engine::TqxReportMessages
{
public:
    /// @p dialogs is not owned and must outlive this object.
    explicit ReportMessageBoxes(platform::DialogProvider &dialogs)
        : m_dialogs(dialogs)
    {}

    void showError(const QString &caption, const QString &text) override
    {
        // The report separates the lines of its messages with carriage returns.
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        m_dialogs.messageBox(shown, caption, platform::mb_Ok | platform::mb_IconError);
    }

private:
    platform::DialogProvider &m_dialogs;
};

/// Routes what @p report must tell the user to message boxes of @p dialogs while it lives,
/// then gives the report back the messages it had; a dialog that lets the report read a file
/// uses it, so a damaged file is always explained, once.
class ReportMessagesScope
{
public:
    ReportMessagesScope(engine::TqxReport &report, platform::DialogProvider &dialogs)
        : m_report(report)
        , m_previous(report.messages())
        , m_boxes(dialogs)
    {
        m_report.setMessages(&m_boxes);
    }
    ~ReportMessagesScope() { m_report.setMessages(m_previous); }
    ReportMessagesScope(const ReportMessagesScope &) = delete;
    ReportMessagesScope &operator=(const ReportMessagesScope &) = delete;

private:
    engine::TqxReport &m_report;
    engine::TqxReportMessages *m_previous;
    ReportMessageBoxes m_boxes;
};

} // namespace tovren::dialogs
