#include "report/engine/ReportEvaluation.h"

#include "report/engine/AggregateFunctions.h"
#include "report/engine/BuildEnvironment.h"
#include "report/engine/BuildRunState.h"
#include "report/engine/DataFieldResolver.h"
#include "report/engine/TDatabaseFunctionLibrary.h"
#include "report/engine/TqxBand.h"
#include "report/engine/TqxReport.h"
#include "report/engine/TqxValueResolver.h"
#include "report/model/RunState.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxView.h"
#include "report/script/EvaluationError.h"
#include "report/script/TqxFunctionSplitter.h"
#include "report/script/TqxInterpretator.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxStdFunctionLibrary.h"
#include "report/script/TqxVariables.h"

namespace tovren::engine {

namespace {

/// The script interpreter of a build: its names and calls go to the report's value resolution.
class ReportInterpretator : public script::TqxInterpretator
{
public:
    explicit ReportInterpretator(TqxValueResolver &resolver)
        : m_resolver(resolver)
    {}
    script::Variant GetVariable(const QString &name) override
    {
        return m_resolver.ResolveName(name);
    }
    void SetVariable(const QString &name, const script::Variant &value) override
    {
        m_resolver.AssignName(name, value);
    }
    script::Variant CallFunction(const QString &name, const QString &p1, const QString &p2,
                                 const QString &p3) override
    {
        return m_resolver.ResolveFunction(name, p1, p2, p3);
    }

private:
    TqxValueResolver &m_resolver;
};

/// The aggregate functions' view of the build: the band being output and the band scanned.
class BuildAggregateState : public TqxAggregateRunState
{
public:
    TqxAggregateBand *currentBand() const override { return buildRunState().currentBand; }
    TqxAggregateBand *scanBand() const override
    {
        return buildRunState().aggregateScan ? buildRunState().scanBand : nullptr;
    }
};

} // namespace

struct ReportEvaluation::Parts
{
    explicit Parts(TqxReport &report)
        : fields(report.components())
        , environment(report)
        , resolver(TqxResolverServices{parser, libraries, globals, constants, report.Dictionary(),
                                       environment, report.components(), environment},
                   TqxResolverHandlers{report.OnGetValue, report.OnUserFunction})
        , interpreter(resolver)
        , aggregates(aggregateState)
    {
        model::fillStyleConstants(constants);
        libraries.registerLibrary(
            std::make_unique<script::TqxStdFunctionLibrary>(parser, nullptr, &aggregates));
        libraries.registerLibrary(std::make_unique<TDatabaseFunctionLibrary>(parser, fields));
        resolver.install(parser);
    }

    script::TqxParser parser;
    script::TqxLibraryRegistry libraries;
    script::TqxVariables globals;
    script::TqxVariables constants;
    ComponentFieldResolver fields;
    BuildEnvironment environment;
    TqxValueResolver resolver;
    ReportInterpretator interpreter;
    BuildAggregateState aggregateState;
    TqxAggregateFunctions aggregates;
    LargeObjectBindings largeObjects;
};

ReportEvaluation::ReportEvaluation(TqxReport &report)
    : m_parts(std::make_unique<Parts>(report))
    , m_report(&report)
{
    model::RunState &state = model::runState();
    state.evaluate = [this](const QString &expression) { return evaluate(expression); };
    state.expressionText = [this](const QString &bracket) {
        return m_parts->resolver.EvaluateBracket(bracket);
    };
    state.runObjectScript = [this](model::TqxView &view) { runScript(view.Script, &view); };
    state.beforePrint = [this, &report](model::TqxView &view) {
        m_parts->largeObjects.loadContent(view);
        if (report.OnBeforePrint)
            report.OnBeforePrint(view.ExpandedText, view);
    };
}

ReportEvaluation::~ReportEvaluation()
{
    model::RunState &state = model::runState();
    state.evaluate = nullptr;
    state.expressionText = nullptr;
    state.runObjectScript = nullptr;
    state.beforePrint = nullptr;
}

void ReportEvaluation::setPageEngine(PageEngine *engine)
{
    m_parts->environment.setPageEngine(engine);
}

QString ReportEvaluation::bracketText(const QString &bracket)
{
    return m_parts->resolver.EvaluateBracket(bracket);
}

script::Variant ReportEvaluation::evaluate(const QString &expression)
{
    return m_parts->parser.Evaluate(expression);
}

void ReportEvaluation::runScript(const QStringList &script, model::TqxView *view)
{
    if (script.isEmpty())
        return;
    if (view)
        model::runState().currentObject = view;
    QStringList code;
    QStringList errors;
    m_parts->interpreter.CompileScript(script, code, errors);
    if (!errors.isEmpty())
        throw script::EvaluationError(errors.join(u'\n'));
    TqxReport &report = *m_report;
    m_parts->interpreter.setStopCheck([&report] { return report.StopRequested; });
    // A script that never ends would hang a build that has no Cancel button to press.
    m_parts->interpreter.setLimits({.maximumTime = kScriptTimeLimit});
    m_parts->interpreter.ExecuteScript(code);
}

QStringList ReportEvaluation::aggregateCalls(const QStringList &script)
{
    if (script.isEmpty())
        return {};
    QStringList code;
    QStringList errors;
    m_parts->interpreter.CompileScript(script, code, errors);
    if (!errors.isEmpty())
        return {};
    script::TAggregateFunctionsSplitter splitter(&m_report->Dictionary().VariableList);
    splitter.SplitScript(code);
    return splitter.splitResults();
}

DataFieldReference ReportEvaluation::findField(const QString &name)
{
    return m_parts->resolver.findBoundField(name);
}

LargeObjectBindings &ReportEvaluation::largeObjects()
{
    return m_parts->largeObjects;
}

} // namespace tovren::engine
