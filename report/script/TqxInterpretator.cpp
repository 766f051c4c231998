#include "report/script/TqxInterpretator.h"

#include "report/script/EvaluationError.h"
#include "report/script/ScriptCompiler.h"
#include "report/script/VariantArithmetic.h"

namespace tovren::script {

TqxInterpretator::TqxInterpretator()
{
    m_parser.setGetValueCallback([this](const QString &name) { return GetVariable(name); });
    m_parser.setFunctionCallback(
        [this](const QString &name, const QString &p1, const QString &p2, const QString &p3) {
            return CallFunction(name, p1, p2, p3);
        });
}

Variant TqxInterpretator::GetVariable(const QString &)
{
    return {};
}

void TqxInterpretator::SetVariable(const QString &, const Variant &) {}

Variant TqxInterpretator::CallFunction(const QString &, const QString &, const QString &,
                                       const QString &)
{
    return {};
}

void TqxInterpretator::CompileScript(const QStringList &source, QStringList &code,
                                     QStringList &errors)
{
    ScriptCompiler::Result result = ScriptCompiler(source).compile();
    code = std::move(result.code);
    errors.clear();
    if (!result.error.isEmpty())
        errors << result.error;
}

ScriptOutcome TqxInterpretator::ExecuteScript(const QStringList &code)
{
    return execute(CompiledScript(code));
}

ScriptOutcome TqxInterpretator::execute(const CompiledScript &script)
{
    using Kind = CompiledScript::Line::Kind;
    const std::vector<CompiledScript::Line> &lines = script.lines();
    const qsizetype lineCount = static_cast<qsizetype>(lines.size());
    qsizetype position = 0;
    ScriptRunBudget budget(m_limits);
    while (position >= 0 && position < lineCount) {
        if (m_stopRequested && m_stopRequested())
            return ScriptOutcome::Stopped;
        budget.step();
        const CompiledScript::Line &line = lines[position];
        switch (line.kind) {
        case Kind::ConditionalJump:
            position = equalsZero(m_parser.evaluate(line.expression)) ? line.target : position + 1;
            break;
        case Kind::Jump:
            position = line.target;
            break;
        case Kind::Evaluate:
            m_parser.evaluate(line.expression);
            ++position;
            break;
        case Kind::Exit:
            return ScriptOutcome::Exited;
        case Kind::Assign:
            SetVariable(line.name, m_parser.evaluate(line.expression));
            ++position;
            break;
        case Kind::Malformed:
            throw EvaluationError(QStringLiteral("Code line %1 is not valid script code: \"%2\"")
                                      .arg(position)
                                      .arg(script.code().value(position)));
        }
    }
    return ScriptOutcome::Finished;
}

} // namespace tovren::script
