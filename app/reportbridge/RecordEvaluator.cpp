#include "app/reportbridge/RecordEvaluator.h"

#include "app/reportbridge/MainFormComponents.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/DataFieldResolver.h"
#include "report/engine/TDatabaseFunctionLibrary.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/engine/TqxResolverEnvironment.h"
#include "report/engine/TqxValueResolver.h"
#include "report/model/StyleConstants.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxStdFunctionLibrary.h"
#include "report/script/TqxVariables.h"

#include <QDateTime>
#include <cmath>

namespace tovren::app {

namespace {

/// A run that has not started: page 1 of an unknown count, dated now, with no report
/// information.
class IdleRunInfo : public engine::TqxReportRunInfo
{
public:
    IdleRunInfo()
        : m_started(QDateTime::currentDateTime())
    {}

    int pageIndex() const override { return 0; }
    int totalPageCount() const override { return 0; }
    double buildDate() const override { return std::floor(dayNumber()); }
    double buildTime() const override { return dayNumber() - std::floor(dayNumber()); }
    QString reportComment() const override { return {}; }
    QString reportName() const override { return {}; }
    QString reportAuthor() const override { return {}; }
    QString versionMajor() const override { return {}; }
    QString versionMinor() const override { return {}; }
    QString versionRelease() const override { return {}; }
    QString versionBuild() const override { return {}; }
    double createdAt() const override { return 0; }
    double changedAt() const override { return 0; }

private:
    double dayNumber() const
    {
        const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
        return epoch.msecsTo(m_started) / 86400000.0;
    }

    QDateTime m_started;
};

/// Fields named without a source belong to the report's data source, as outside any band.
class ReportSourceEnvironment : public engine::TqxResolverEnvironment
{
public:
    explicit ReportSourceEnvironment(const engine::TqxDBDataSet &reportSource)
        : m_reportSource(reportSource)
    {}

    engine::TqxRecordSet *defaultDataSet() const override
    {
        return m_reportSource.effectiveDataSet();
    }

private:
    const engine::TqxDBDataSet &m_reportSource;
};

} // namespace

struct RecordEvaluator::Parts
{
    explicit Parts(db::TDbQuery &query)
        : components(query, registry)
        , lookup(registry, &components.form())
        , fields(lookup)
        , environment(components.reportDataSet())
        , resolver(engine::TqxResolverServices{parser, libraries, globals, constants, dictionary,
                                               runInfo, lookup, environment})
    {
        model::fillStyleConstants(constants);
        libraries.registerLibrary(std::make_unique<script::TqxStdFunctionLibrary>(parser));
        libraries.registerLibrary(
            std::make_unique<engine::TDatabaseFunctionLibrary>(parser, fields));
        resolver.install(parser);
    }

    engine::TqxComponentRegistry registry;
    MainFormComponents components;
    engine::TqxComponentLookup lookup;
    engine::ComponentFieldResolver fields;
    script::TqxParser parser;
    script::TqxLibraryRegistry libraries;
    script::TqxVariables globals;
    script::TqxVariables constants;
    engine::TqxDataDictionary dictionary;
    IdleRunInfo runInfo;
    ReportSourceEnvironment environment;
    engine::TqxValueResolver resolver;
};

RecordEvaluator::RecordEvaluator(db::TDbQuery &query)
    : m_parts(std::make_unique<Parts>(query))
{}

RecordEvaluator::~RecordEvaluator() = default;

script::Variant RecordEvaluator::evaluate(const QString &expression)
{
    const QString trimmed = expression.trimmed();
    const bool isBracket = trimmed.size() >= 2 && trimmed.startsWith(u'[') &&
                           trimmed.endsWith(u']') && trimmed.indexOf(u']') == trimmed.size() - 1;
    if (isBracket)
        return script::Variant(
            m_parts->resolver.EvaluateBracket(trimmed.mid(1, trimmed.size() - 2)));
    return m_parts->parser.Evaluate(expression);
}

} // namespace tovren::app
