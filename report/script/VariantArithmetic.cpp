#include "report/script/VariantArithmetic.h"

#include "report/script/EvaluationError.h"

#include <cmath>

namespace tovren::script {

namespace {

// The kinds a number is computed in, from narrowest to widest.
enum class NumberKind { Integer, Double, Currency, Date };

NumberKind kindOf(const Variant &value)
{
    switch (value.type()) {
    case VariantType::Double:
    case VariantType::String: // converted to a double
        return NumberKind::Double;
    case VariantType::Currency:
        return NumberKind::Currency;
    case VariantType::Date:
        return NumberKind::Date;
    default: // empty, boolean, integers
        return NumberKind::Integer;
    }
}

NumberKind widest(const Variant &a, const Variant &b)
{
    return std::max(kindOf(a), kindOf(b));
}

Variant checkedDouble(double value)
{
    if (!std::isfinite(value))
        throw EvaluationError(QStringLiteral("Floating point overflow"));
    return Variant(value);
}

Variant checkedDate(double value)
{
    if (!std::isfinite(value))
        throw EvaluationError(QStringLiteral("Floating point overflow"));
    return Variant::fromDate(value);
}

qint64 currencyUnitsOf(const Variant &value)
{
    if (value.type() == VariantType::Currency)
        return value.currencyUnits();
    return Variant::fromCurrency(value.toDouble()).currencyUnits();
}

enum class Operation { Add, Subtract, Multiply };

// Integer arithmetic that widens to a double instead of wrapping around.
Variant integerArithmetic(qint64 a, qint64 b, Operation operation)
{
    qint64 result = 0;
    bool overflow = false;
    switch (operation) {
    case Operation::Add:
        overflow = __builtin_add_overflow(a, b, &result);
        break;
    case Operation::Subtract:
        overflow = __builtin_sub_overflow(a, b, &result);
        break;
    case Operation::Multiply:
        overflow = __builtin_mul_overflow(a, b, &result);
        break;
    }
    if (!overflow)
        return Variant::fromInteger(result);
    const double x = static_cast<double>(a);
    const double y = static_cast<double>(b);
    switch (operation) {
    case Operation::Add:
        return Variant(x + y);
    case Operation::Subtract:
        return Variant(x - y);
    case Operation::Multiply:
        break;
    }
    return Variant(x * y);
}

Variant currencyArithmetic(const Variant &a, const Variant &b, Operation operation)
{
    const qint64 x = currencyUnitsOf(a);
    const qint64 y = currencyUnitsOf(b);
    qint64 result = 0;
    bool overflow = false;
    switch (operation) {
    case Operation::Add:
        overflow = __builtin_add_overflow(x, y, &result);
        break;
    case Operation::Subtract:
        overflow = __builtin_sub_overflow(x, y, &result);
        break;
    case Operation::Multiply:
        return Variant::fromCurrency(static_cast<double>(
            static_cast<long double>(x) * y / Variant::currencyScale / Variant::currencyScale));
    }
    if (overflow)
        throw EvaluationError(QStringLiteral("Arithmetic overflow"));
    return Variant::fromCurrencyUnits(result);
}

Variant arithmetic(const Variant &a, const Variant &b, Operation operation)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    switch (widest(a, b)) {
    case NumberKind::Integer:
        return integerArithmetic(a.toInt64(), b.toInt64(), operation);
    case NumberKind::Currency:
        return currencyArithmetic(a, b, operation);
    case NumberKind::Date:
        // A date moved by a number of days stays a date; the distance of two dates and any
        // product are plain numbers.
        if (operation == Operation::Add ||
            (operation == Operation::Subtract && b.type() != VariantType::Date)) {
            const double days = operation == Operation::Add ? a.toDouble() + b.toDouble()
                                                            : a.toDouble() - b.toDouble();
            return checkedDate(days);
        }
        break;
    case NumberKind::Double:
        break;
    }
    const double x = a.toDouble();
    const double y = b.toDouble();
    switch (operation) {
    case Operation::Add:
        return checkedDouble(x + y);
    case Operation::Subtract:
        return checkedDouble(x - y);
    case Operation::Multiply:
        break;
    }
    return checkedDouble(x * y);
}

bool isTextLike(const Variant &value)
{
    return value.isString() || value.isEmpty();
}

} // namespace

Variant add(const Variant &a, const Variant &b)
{
    if ((a.isString() && isTextLike(b)) || (b.isString() && isTextLike(a))) {
        QString text = a.toString();
        const QString tail = b.toString();
        // A loop that keeps appending would otherwise take all memory before any time limit.
        if (text.size() + tail.size() > Variant::maximumTextLength)
            throw EvaluationError(QStringLiteral("文本太长: 超过 %1 个字符, 计算已停止")
                                      .arg(Variant::maximumTextLength));
        return Variant(text + tail);
    }
    return arithmetic(a, b, Operation::Add);
}

Variant subtract(const Variant &a, const Variant &b)
{
    return arithmetic(a, b, Operation::Subtract);
}

Variant multiply(const Variant &a, const Variant &b)
{
    return arithmetic(a, b, Operation::Multiply);
}

Variant divide(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const double divisor = b.toDouble();
    const double dividend = a.toDouble();
    if (divisor == 0)
        throw EvaluationError(divisionByZeroMessage());
    return checkedDouble(dividend / divisor);
}

Variant integerDivide(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const qint64 dividend = a.toInt64();
    const qint64 divisor = b.toInt64();
    if (divisor == 0)
        throw EvaluationError(divisionByZeroMessage());
    if (divisor == -1) // the one quotient that can leave the range: the smallest integer negated
        return negate(Variant::fromInteger(dividend));
    return Variant::fromInteger(dividend / divisor);
}

Variant modulo(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    const qint64 dividend = a.toInt64();
    const qint64 divisor = b.toInt64();
    if (divisor == 0)
        throw EvaluationError(divisionByZeroMessage());
    if (divisor == -1) // the one case where the remainder instruction itself would overflow
        return Variant(0);
    return Variant::fromInteger(dividend % divisor);
}

QString divisionByZeroMessage()
{
    return QStringLiteral("除数为零");
}

Variant bitwiseOr(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull())
        return Variant::null();
    if (a.type() == VariantType::Boolean && b.type() == VariantType::Boolean)
        return Variant(a.toBool() || b.toBool());
    return Variant::fromInteger(a.toInt64() | b.toInt64());
}

Variant negate(const Variant &value)
{
    switch (value.type()) {
    case VariantType::Null:
        return Variant::null();
    case VariantType::Double:
    case VariantType::String:
        return Variant(-value.toDouble());
    case VariantType::Date:
        return Variant::fromDate(-value.toDouble());
    case VariantType::Currency:
        return currencyArithmetic(Variant(0), value, Operation::Subtract);
    default:
        return integerArithmetic(0, value.toInt64(), Operation::Subtract);
    }
}

Ordering compare(const Variant &a, const Variant &b)
{
    if (a.isNull() || b.isNull()) {
        if (a.isNull() && b.isNull())
            return Ordering::Equal;
        return a.isNull() ? Ordering::Less : Ordering::Greater;
    }
    if ((a.isString() && isTextLike(b)) || (b.isString() && isTextLike(a))) {
        const int order = a.toString().compare(b.toString());
        return order < 0 ? Ordering::Less : order > 0 ? Ordering::Greater : Ordering::Equal;
    }
    if (widest(a, b) == NumberKind::Integer) {
        const qint64 x = a.toInt64();
        const qint64 y = b.toInt64();
        return x < y ? Ordering::Less : x > y ? Ordering::Greater : Ordering::Equal;
    }
    const double x = a.toDouble();
    const double y = b.toDouble();
    if (x < y)
        return Ordering::Less;
    if (x > y)
        return Ordering::Greater;
    return x == y ? Ordering::Equal : Ordering::Unordered;
}

Variant compareToInteger(const Variant &a, const Variant &b, Comparison comparison)
{
    const Ordering order = compare(a, b);
    bool holds = false;
    switch (comparison) {
    case Comparison::Less:
        holds = order == Ordering::Less;
        break;
    case Comparison::LessOrEqual:
        holds = order == Ordering::Less || order == Ordering::Equal;
        break;
    case Comparison::Equal:
        holds = order == Ordering::Equal;
        break;
    case Comparison::NotEqual:
        holds = order != Ordering::Equal;
        break;
    case Comparison::GreaterOrEqual:
        holds = order == Ordering::Greater || order == Ordering::Equal;
        break;
    case Comparison::Greater:
        holds = order == Ordering::Greater;
        break;
    }
    return Variant(holds ? 1 : 0);
}

bool equalsZero(const Variant &value)
{
    return compare(value, Variant(0)) == Ordering::Equal;
}

} // namespace tovren::script
