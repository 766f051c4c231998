#pragma once

#include "report/script/PreparedExpression.h"
#include "report/script/Variant.h"

#include <QString>
#include <QStringView>
#include <functional>

namespace tovren::script {

/// The expression language: turns an expression into postfix code and evaluates that code on a
/// stack of variants. It knows numbers, single-quoted strings, TRUE and FALSE, the operators and
/// the built-ins COPY, IF, STRTODATE, STRTOTIME, INT, FRAC, ROUND and STR; every other name and
/// call goes to the two callbacks, so whoever owns the names (the report, a script interpreter,
/// the command line) decides what they mean. Without a callback a name is the empty value.
///
/// The parser keeps no state between calls besides its callbacks. Callbacks may evaluate other
/// expressions with the same parser; the nesting of such evaluations is bounded so that no text
/// can exhaust the stack.
class TqxParser
{
public:
    /// The value of a name: exactly as written for a bracketed name, upper-cased otherwise.
    using GetValueCallback = std::function<Variant(const QString &name)>;
    /// The value of a call the parser does not know: the upper-cased name and the argument texts,
    /// unevaluated, empty when missing.
    using FunctionCallback = std::function<Variant(const QString &name, const QString &p1,
                                                   const QString &p2, const QString &p3)>;

    static constexpr int maximumEvaluationDepth = 128;

    void setGetValueCallback(GetValueCallback callback) { m_getValue = std::move(callback); }
    void setFunctionCallback(FunctionCallback callback) { m_function = std::move(callback); }

    /// Postfix code of @p expression; raises EvaluationError for text it cannot convert.
    QString ToPostfix(QStringView expression) const;
    Variant EvaluatePostfix(QStringView code) const;
    Variant Evaluate(QStringView expression) const;

    /// Prepares an expression once for evaluate(); the same as Evaluate when run, without
    /// converting or reading text again.
    static PreparedExpression prepare(QStringView expression);
    Variant evaluate(const PreparedExpression &prepared) const;

private:
    Variant callBuiltin(const PreparedExpression::Step &step) const;
    Variant callFunction(const PreparedExpression::Step &step) const;
    Variant valueOf(const QString &name) const;

    GetValueCallback m_getValue;
    FunctionCallback m_function;
    mutable int m_evaluationDepth = 0;
};

} // namespace tovren::script
