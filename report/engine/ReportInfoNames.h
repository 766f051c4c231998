#pragma once

#include "report/script/Variant.h"

#include <QString>

namespace tovren::engine {

/// The run state and report information that system names read: page numbers, build date and
/// time, and the report's own information block. The build run implements it.
class TqxReportRunInfo
{
public:
    virtual ~TqxReportRunInfo() = default;

    /// Zero-based index of the page being built.
    virtual int pageIndex() const = 0;
    /// Pages of the finished first pass; 0 in a single-pass build.
    virtual int totalPageCount() const = 0;
    /// Day numbers of the moment the build started.
    virtual double buildDate() const = 0;
    virtual double buildTime() const = 0;

    virtual QString reportComment() const = 0;
    virtual QString reportName() const = 0;
    virtual QString reportAuthor() const = 0;
    virtual QString versionMajor() const = 0;
    virtual QString versionMinor() const = 0;
    virtual QString versionRelease() const = 0;
    virtual QString versionBuild() const = 0;
    /// Day numbers of the template's creation and last change.
    virtual double createdAt() const = 0;
    virtual double changedAt() const = 0;
};

/// Answers the system names of page position and report information: PAGE#, TOTALPAGES, DATE,
/// TIME, REPORTCOMMENT, REPORTNAME, REPORTAUTOR, VMAJOR, VMINOR, VRELEASE, VBUILD, REPORTDATE
/// and REPORTLASTCHANGE.
///
/// Names compare exactly, as value resolution asks for them: a bracket holding Page# is not
/// PAGE# until the evaluator has upper-cased it. Names that depend on the current band (LINE#,
/// COLUMN#, CALCWIDTH and the like) are the band engine's.
class ReportInfoNames
{
public:
    explicit ReportInfoNames(const TqxReportRunInfo &run)
        : m_run(run)
    {}

    /// Sets @p value and returns true when @p name is one of these names.
    bool resolve(const QString &name, script::Variant &value) const;

private:
    const TqxReportRunInfo &m_run;
};

} // namespace tovren::engine
