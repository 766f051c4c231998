#include "report/engine/ReportInfoNames.h"

#include <QHash>
#include <functional>

namespace tovren::engine {

bool ReportInfoNames::resolve(const QString &name, script::Variant &value) const
{
    using script::Variant;
    using Reader = std::function<Variant(const TqxReportRunInfo &)>;
    static const QHash<QString, Reader> readers{
        {QStringLiteral("PAGE#"), [](const auto &run) { return Variant(run.pageIndex() + 1); }},
        {QStringLiteral("TOTALPAGES"),
         [](const auto &run) { return Variant(run.totalPageCount()); }},
        {QStringLiteral("DATE"),
         [](const auto &run) { return Variant::fromDate(run.buildDate()); }},
        {QStringLiteral("TIME"),
         [](const auto &run) { return Variant::fromDate(run.buildTime()); }},
        {QStringLiteral("REPORTCOMMENT"),
         [](const auto &run) { return Variant(run.reportComment()); }},
        {QStringLiteral("REPORTNAME"), [](const auto &run) { return Variant(run.reportName()); }},
        {QStringLiteral("REPORTAUTOR"),
         [](const auto &run) { return Variant(run.reportAuthor()); }},
        {QStringLiteral("VMAJOR"), [](const auto &run) { return Variant(run.versionMajor()); }},
        {QStringLiteral("VMINOR"), [](const auto &run) { return Variant(run.versionMinor()); }},
        {QStringLiteral("VRELEASE"), [](const auto &run) { return Variant(run.versionRelease()); }},
        {QStringLiteral("VBUILD"), [](const auto &run) { return Variant(run.versionBuild()); }},
        {QStringLiteral("REPORTDATE"),
         [](const auto &run) { return Variant::fromDate(run.createdAt()); }},
        {QStringLiteral("REPORTLASTCHANGE"),
         [](const auto &run) { return Variant::fromDate(run.changedAt()); }},
    };
    const auto reader = readers.constFind(name);
    if (reader == readers.cend())
        return false;
    value = (*reader)(m_run);
    return true;
}

} // namespace tovren::engine
