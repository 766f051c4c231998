#pragma once

#include "report/script/CompiledScript.h"
#include "report/script/ScriptLimits.h"
#include "report/script/TqxParser.h"
#include "report/script/Variant.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tovren::script {

/// How a script run ended.
enum class ScriptOutcome {
    Finished, ///< ran past its last line
    Exited,   ///< reached EXIT
    Stopped,  ///< the stop check asked it to end
};

/// Compiles scripts of the small Pascal-like language into code lines and executes them.
///
/// The interpreter keeps no variables of its own: every name it reads goes to GetVariable, every
/// assignment to SetVariable and every unknown call to CallFunction. This base class answers
/// nothing (names are empty, assignments vanish); the report and the command line derive from it
/// to give names a meaning. Errors while executing are EvaluationError and end the script.
///
/// Loops have no step limit of their own. A caller bounds every run with setLimits(), past which
/// the run ends with EScriptLimitExceeded; a stop check, asked before every line, lets a Cancel
/// button end a run quietly.
class TqxInterpretator
{
public:
    TqxInterpretator();
    virtual ~TqxInterpretator() = default;
    TqxInterpretator(const TqxInterpretator &) = delete;
    TqxInterpretator &operator=(const TqxInterpretator &) = delete;

    virtual Variant GetVariable(const QString &name);
    virtual void SetVariable(const QString &name, const Variant &value);
    virtual Variant CallFunction(const QString &name, const QString &p1, const QString &p2,
                                 const QString &p3);

    /// Clears and refills @p code and @p errors; after a syntax error @p errors holds one line
    /// beginning with "Line " and @p code what was compiled before it.
    virtual void CompileScript(const QStringList &source, QStringList &code, QStringList &errors);
    /// Runs code lines; they are decoded once for this run.
    virtual ScriptOutcome ExecuteScript(const QStringList &code);
    /// Runs code that was decoded once for many runs.
    ScriptOutcome execute(const CompiledScript &script);

    void setStopCheck(std::function<bool()> stopRequested)
    {
        m_stopRequested = std::move(stopRequested);
    }
    /// Bounds each later run; the limits count from the start of each run.
    void setLimits(const ScriptLimits &limits) { m_limits = limits; }
    const ScriptLimits &limits() const { return m_limits; }

    /// The interpreter's own parser, whose callbacks are GetVariable and CallFunction.
    const TqxParser &parser() const { return m_parser; }

private:
    TqxParser m_parser;
    std::function<bool()> m_stopRequested;
    ScriptLimits m_limits;
};

} // namespace tovren::script
