#pragma once

#include "report/script/PreparedExpression.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::script {

/// Compiled code lines together with their prepared expressions, so that a script that runs for
/// every record decodes its code once. Built from code lines as CompileScript produces them;
/// lines that are not valid code are kept and raise an error only when they are executed.
class CompiledScript
{
public:
    struct Line
    {
        enum class Kind { ConditionalJump, Jump, Evaluate, Exit, Assign, Malformed };
        Kind kind = Kind::Malformed;
        int target = 0;
        QString name;
        PreparedExpression expression;
    };

    CompiledScript() = default;
    explicit CompiledScript(const QStringList &code);

    const QStringList &code() const { return m_code; }
    const std::vector<Line> &lines() const { return m_lines; }

private:
    QStringList m_code;
    std::vector<Line> m_lines;
};

} // namespace tovren::script
