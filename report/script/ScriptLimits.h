#pragma once

#include "report/script/EvaluationError.h"

#include <QElapsedTimer>
#include <chrono>
#include <limits>

namespace tovren::script {

/// What one run of a script may cost: the code lines it executes and the time it takes.
///
/// Scripts come with templates from anywhere; a loop that never ends must end with a message
/// instead of hanging whoever runs it (a build, the command line, a check in the designer).
struct ScriptLimits
{
    qint64 maximumSteps = std::numeric_limits<qint64>::max();
    std::chrono::milliseconds maximumTime = std::chrono::milliseconds::max();
};

/// A run that went past its ScriptLimits; the message says which limit and is ready to show.
class EScriptLimitExceeded : public EvaluationError
{
public:
    using EvaluationError::EvaluationError;
};

/// Counts one run's steps and time against its limits.
class ScriptRunBudget
{
public:
    explicit ScriptRunBudget(const ScriptLimits &limits);

    /// Counts one executed line; throws EScriptLimitExceeded once a limit is passed.
    void step();

private:
    ScriptLimits m_limits;
    qint64 m_steps = 0;
    QElapsedTimer m_clock;
};

} // namespace tovren::script
