#include "report/script/ScriptLimits.h"

namespace tovren::script {

ScriptRunBudget::ScriptRunBudget(const ScriptLimits &limits)
    : m_limits(limits)
{
    m_clock.start();
}

void ScriptRunBudget::step()
{
    if (++m_steps > m_limits.maximumSteps)
        throw EScriptLimitExceeded(
            QStringLiteral("脚本执行超过 %1 步, 已停止").arg(m_limits.maximumSteps));
    if (m_limits.maximumTime != std::chrono::milliseconds::max() &&
        m_clock.elapsed() > m_limits.maximumTime.count()) {
        const auto seconds = std::chrono::duration<double>(m_limits.maximumTime).count();
        throw EScriptLimitExceeded(
            QStringLiteral("脚本执行超过 %1 秒, 已停止").arg(seconds, 0, 'g', 6));
    }
}

} // namespace tovren::script
