#include "report/script/TqxParser.h"

#include "report/script/DayNumber.h"
#include "report/script/EvaluationError.h"
#include "report/script/PostfixConverter.h"
#include "report/script/VariantArithmetic.h"

#include <QVarLengthArray>
#include <cmath>

namespace tovren::script {

namespace {

using Operation = PreparedExpression::Operation;
using Step = PreparedExpression::Step;

// Most expressions need a handful of slots; 32 stay on the machine stack.
using ValueStack = QVarLengthArray<Variant, 32>;

/// Counts one level of nested evaluation for as long as it lives.
class DepthGuard
{
public:
    explicit DepthGuard(int &depth)
        : m_depth(depth)
    {
        if (++m_depth > TqxParser::maximumEvaluationDepth) {
            --m_depth;
            throw EvaluationError(QStringLiteral("Expression is nested too deeply"));
        }
    }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;

private:
    int &m_depth;
};

[[noreturn]] void throwMissingOperand()
{
    throw EvaluationError(QStringLiteral("Missing operand in expression"));
}

Variant binary(Operation operation, const Variant &a, const Variant &b)
{
    switch (operation) {
    case Operation::Add:
        return add(a, b);
    case Operation::Subtract:
        return subtract(a, b);
    case Operation::Multiply:
        return multiply(a, b);
    case Operation::Divide:
        return divide(a, b);
    case Operation::Or:
        return bitwiseOr(a, b);
    case Operation::Mod:
        return modulo(a, b);
    case Operation::IntegerDivide:
        return integerDivide(a, b);
    case Operation::Less:
        return compareToInteger(a, b, Comparison::Less);
    case Operation::LessOrEqual:
        return compareToInteger(a, b, Comparison::LessOrEqual);
    case Operation::Equal:
        return compareToInteger(a, b, Comparison::Equal);
    case Operation::NotEqual:
        return compareToInteger(a, b, Comparison::NotEqual);
    case Operation::GreaterOrEqual:
        return compareToInteger(a, b, Comparison::GreaterOrEqual);
    case Operation::Greater:
        return compareToInteger(a, b, Comparison::Greater);
    default:
        return {};
    }
}

// A value within this distance of an integer is taken as that integer by INT and FRAC, so that
// 2.9999999999999 from a division prints as 3.
constexpr double integerTolerance = 1e-10;

Variant unary(Operation operation, const Variant &value)
{
    switch (operation) {
    case Operation::Negate:
        return negate(value);
    case Operation::Str:
        return Variant(value.toString());
    case Operation::Not:
        return Variant(equalsZero(value) ? 1 : 0);
    case Operation::Round:
        return Variant::fromInteger(roundToInt64(value.toDouble()));
    case Operation::Int: {
        const double t = value.toDouble();
        const double r = std::nearbyint(t);
        if (std::fabs(r - t) < integerTolerance)
            return Variant::fromInteger(roundToInt64(r));
        return Variant(std::trunc(t));
    }
    case Operation::Frac: {
        double t = value.toDouble();
        const double r = std::nearbyint(t);
        if (std::fabs(r - t) < integerTolerance)
            t = r;
        if (!std::isfinite(t))
            throw EvaluationError(QStringLiteral("Invalid floating point operation"));
        return Variant(t - std::trunc(t));
    }
    default:
        return {};
    }
}

bool isUnary(Operation operation)
{
    switch (operation) {
    case Operation::Negate:
    case Operation::Str:
    case Operation::Not:
    case Operation::Round:
    case Operation::Int:
    case Operation::Frac:
        return true;
    default:
        return false;
    }
}

// Substring with 1-based start; out-of-range parts are clipped, as the platform's Copy does.
QString copyText(const QString &text, qint64 from, qint64 count)
{
    if (from < 1)
        from = 1;
    if (count <= 0 || from > text.size())
        return {};
    const qint64 available = text.size() - (from - 1);
    return text.mid(static_cast<qsizetype>(from - 1),
                    static_cast<qsizetype>(std::min(count, available)));
}

} // namespace

QString TqxParser::ToPostfix(QStringView expression) const
{
    return convertToPostfix(expression);
}

Variant TqxParser::EvaluatePostfix(QStringView code) const
{
    return evaluate(PreparedExpression::fromPostfix(code));
}

Variant TqxParser::Evaluate(QStringView expression) const
{
    return evaluate(PreparedExpression::fromExpression(expression));
}

PreparedExpression TqxParser::prepare(QStringView expression)
{
    return PreparedExpression::fromExpression(expression);
}

Variant TqxParser::evaluate(const PreparedExpression &prepared) const
{
    if (prepared.isEmpty())
        return Variant(0);
    const DepthGuard guard(m_evaluationDepth);
    ValueStack stack;
    for (const Step &step : prepared.steps()) {
        switch (step.operation) {
        case Operation::PushConstant:
            stack.append(step.constant);
            break;
        case Operation::PushName:
        case Operation::PushBracketName:
            stack.append(valueOf(step.text));
            break;
        case Operation::GetArray:
        case Operation::CallFunction:
            stack.append(callFunction(step));
            break;
        case Operation::Copy:
        case Operation::If:
        case Operation::StrToDate:
        case Operation::StrToTime:
            stack.append(callBuiltin(step));
            break;
        case Operation::Fail:
            throw EvaluationError(step.text);
        default:
            if (isUnary(step.operation)) {
                if (stack.isEmpty())
                    throwMissingOperand();
                stack.last() = unary(step.operation, stack.last());
            } else {
                if (stack.size() < 2)
                    throwMissingOperand();
                Variant result = binary(step.operation, stack[stack.size() - 2], stack.last());
                stack.removeLast();
                stack.last() = std::move(result);
            }
            break;
        }
    }
    return stack.isEmpty() ? Variant(0) : stack.first();
}

Variant TqxParser::valueOf(const QString &name) const
{
    return m_getValue ? m_getValue(name) : Variant();
}

Variant TqxParser::callFunction(const Step &step) const
{
    if (!m_function)
        return {};
    const DepthGuard guard(m_evaluationDepth);
    return m_function(step.text, step.argumentTexts[0], step.argumentTexts[1],
                      step.argumentTexts[2]);
}

Variant TqxParser::callBuiltin(const Step &step) const
{
    const auto argument = [&](int index) { return evaluate(step.arguments[index]); };
    switch (step.operation) {
    case Operation::Copy:
        return Variant(
            copyText(argument(0).toString(), argument(1).toInt64(), argument(2).toInt64()));
    case Operation::If: {
        // The condition counts by its number; a boolean counts as such instead of failing to
        // convert its text "True".
        const Variant condition = argument(0);
        const double number = condition.toDouble();
        return std::trunc(number) != 0 ? argument(1) : argument(2);
    }
    case Operation::StrToDate:
        return Variant::fromDate(parseDate(argument(0).toString()));
    case Operation::StrToTime:
        return Variant::fromDate(parseTime(argument(0).toString()));
    default:
        return {};
    }
}

} // namespace tovren::script
