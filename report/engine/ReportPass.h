#pragma once

namespace tovren::engine {

class TqxReport;

/// One pass over all template pages of a report: dialog pages, then every report page filled
/// into prepared pages, repeated per record of the report's data source in rtMultiple mode.
///
/// The pass keeps the band trees it makes for the final pass of a two-pass build; pages are
/// added to the report's prepared pages from the current PageIndex on.
class ReportPass
{
public:
    explicit ReportPass(TqxReport &report)
        : m_report(report)
    {}
    void run();

private:
    TqxReport &m_report;
};

} // namespace tovren::engine
