#pragma once

#include "report/engine/ReportInfoNames.h"
#include "report/engine/TqxResolverEnvironment.h"

namespace tovren::engine {

class PageEngine;
class TqxReport;

/// Value resolution's view of a running build: the band and page names (LINE#, CURY, ...), the
/// engine procedures (NEWPAGE, STOPREPORT, SHOWBAND), the current object and the report's
/// information. Without a page engine it answers like no build is running.
class BuildEnvironment : public TqxResolverEnvironment, public TqxReportRunInfo
{
public:
    explicit BuildEnvironment(TqxReport &report)
        : m_report(report)
    {}
    void setPageEngine(PageEngine *engine) { m_engine = engine; }

    // TqxResolverEnvironment
    bool resolveBandName(const QString &name, script::Variant &value) override;
    bool resolveEngineName(const QString &name, script::Variant &value) override;
    bool runEngineProcedure(const QString &name, const QString &argument,
                            script::Variant &value) override;
    bool assignEngineName(const QString &name, const script::Variant &value) override;
    bool aggregateScanRunning() const override;
    TqxRecordSet *defaultDataSet() const override;
    model::TqxView *currentObject() const override;
    const model::TqxPages *templatePages() const override;
    bool currentObjectHidesZeros() const override;
    QString formatDisplayValue(const script::Variant &value,
                               const QString &inlineFormat) const override;

    // TqxReportRunInfo
    int pageIndex() const override;
    int totalPageCount() const override;
    double buildDate() const override;
    double buildTime() const override;
    QString reportComment() const override;
    QString reportName() const override;
    QString reportAuthor() const override;
    QString versionMajor() const override;
    QString versionMinor() const override;
    QString versionRelease() const override;
    QString versionBuild() const override;
    double createdAt() const override;
    double changedAt() const override;

private:
    TqxReport &m_report;
    PageEngine *m_engine = nullptr;
};

} // namespace tovren::engine
