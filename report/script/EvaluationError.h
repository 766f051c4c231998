#pragma once

#include <QString>
#include <stdexcept>

namespace tovren::script {

/// Raised when a value cannot be computed: a text that is not a number where one is needed, an
/// invalid date, an operand missing from malformed code, nesting beyond what the evaluator
/// accepts. The message is complete and ready to show; callers add only their own context.
class EvaluationError : public std::runtime_error
{
public:
    explicit EvaluationError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

/// The message for a call of a function that neither the evaluator, a library nor the report
/// knows: "函数没定义 \"NAME\"", worded like the one for an unknown name.
inline QString undefinedFunctionMessage(const QString &name)
{
    return QStringLiteral("函数没定义 \"") + name + u'"';
}

} // namespace tovren::script
