// Feeds arbitrary text to the expression parser, the function splitter and the script compiler and
// interpreter. Any text must give a value or an EvaluationError: a crash, a hang or a sanitizer
// report is a fault.

#include "report/script/EvaluationError.h"
#include "report/script/ScriptLimits.h"
#include "report/script/TqxFunctionSplitter.h"
#include "report/script/TqxParser.h"
#include "report/script/VariableInterpretator.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace {

using tovren::script::EvaluationError;
using tovren::script::Variant;

/// Evaluates call arguments again, as the report's function libraries do, so that nested
/// evaluation is exercised too.
class ArgumentEvaluatingInterpretator : public tovren::script::VariableInterpretator
{
public:
    Variant CallFunction(const QString &, const QString &p1, const QString &p2,
                         const QString &p3) override
    {
        return add(parser().Evaluate(p1), add(parser().Evaluate(p2), parser().Evaluate(p3)));
    }

private:
    static Variant add(const Variant &a, const Variant &b)
    {
        return Variant(a.toString() + b.toString());
    }
};

void fuzzExpression(const QString &text)
{
    ArgumentEvaluatingInterpretator names;
    const tovren::script::TqxParser &parser = names.parser();
    try {
        const QString code = parser.ToPostfix(text);
        parser.EvaluatePostfix(code);
    } catch (const EvaluationError &) {
    }
    try {
        parser.EvaluatePostfix(text); // hand-made code, not produced by ToPostfix
    } catch (const EvaluationError &) {
    }
}

void fuzzSplitter(const QString &text)
{
    tovren::script::TqxVariables dictionary;
    dictionary.setValue(QStringLiteral("A"), Variant(QStringLiteral("[B] + SUM(x)")));
    dictionary.setValue(QStringLiteral("B"), Variant(QStringLiteral("[A] * COUNT(Band1)")));
    tovren::script::TAggregateFunctionsSplitter splitter(&dictionary);
    try {
        splitter.Split(text);
    } catch (const EvaluationError &) {
    }
    try {
        splitter.SplitText(text.split(u'\n'));
    } catch (const EvaluationError &) {
    }
}

void fuzzScript(const QString &text)
{
    ArgumentEvaluatingInterpretator interpreter;
    // The limits every caller sets, tighter: a run must end within its steps and its time, even
    // when each step works on texts megabytes long.
    interpreter.setLimits({2000, std::chrono::milliseconds(200)});
    QStringList code;
    QStringList errors;
    interpreter.CompileScript(text.split(u'\n'), code, errors);
    try {
        interpreter.ExecuteScript(code);
    } catch (const EvaluationError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    fuzzExpression(text);
    fuzzSplitter(text);
    fuzzScript(text);
    return 0;
}
