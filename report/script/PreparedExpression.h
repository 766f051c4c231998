#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

namespace tovren::script {

/// Postfix code decoded once into steps, so that evaluating it again reads no text: numbers are
/// already converted, names upper-cased and the arguments of the built-in functions prepared in
/// turn. TqxParser runs it; the same prepared form may be run any number of times.
///
/// Decoding never fails. Code that could not be evaluated (a malformed number, an argument list
/// without its ")") decodes to a step that raises its error when, and only when, it is reached, so
/// an IF branch that is not taken never complains.
class PreparedExpression
{
public:
    enum class Operation : quint8 {
        PushConstant,
        PushName,        // unbracketed name, upper-cased, through the value callback
        PushBracketName, // bracketed name exactly as written
        GetArray,        // name[index]: GETARRAY through the function callback
        CallFunction,    // any call the evaluator does not know, through the function callback
        Copy,
        If,
        StrToDate,
        StrToTime,
        Fail, // raises the error kept in `text`
        Add,
        Subtract,
        Multiply,
        Divide,
        Or,
        Mod,
        IntegerDivide,
        Less,
        LessOrEqual,
        Equal,
        NotEqual,
        GreaterOrEqual,
        Greater,
        Negate,
        Int,
        Frac,
        Round,
        Str,
        Not,
    };

    struct Step
    {
        Operation operation = Operation::PushConstant;
        Variant constant;
        QString text; // name, function name or error message
        std::array<QString, 3> argumentTexts;
        std::vector<PreparedExpression> arguments; // prepared arguments of the built-ins
    };

    /// Deepest nesting of built-in calls (IF inside COPY inside IF ...) that is prepared.
    static constexpr int maximumNesting = 64;

    PreparedExpression() = default;

    /// Decodes postfix code as produced by convertToPostfix.
    static PreparedExpression fromPostfix(QStringView code);
    /// Converts an expression to postfix and decodes it; conversion errors become a Fail step.
    static PreparedExpression fromExpression(QStringView expression);

    const std::vector<Step> &steps() const { return m_steps; }
    bool isEmpty() const { return m_steps.empty(); }

private:
    friend class PostfixDecoder;

    std::vector<Step> m_steps;
};

} // namespace tovren::script
