#pragma once

#include "report/script/Variant.h"

// The operators of the expression language on variants, with the platform's rules: two texts
// add by concatenation, a text meets a number by converting to a number, numbers of different
// kinds widen (Integer, Int64, Double, Currency, Date), a null operand makes the result null.
// Every failure raises EvaluationError.
namespace tovren::script {

Variant add(const Variant &a, const Variant &b);
Variant subtract(const Variant &a, const Variant &b);
Variant multiply(const Variant &a, const Variant &b);
/// Always a double. A divisor equal to 0 raises EvaluationError, as for DIV and MOD: a value
/// quietly printed as 0 on a certificate is worse than a build that stops and says why.
Variant divide(const Variant &a, const Variant &b);
/// Integer quotient, truncated towards zero, of the operands rounded to integers.
Variant integerDivide(const Variant &a, const Variant &b);
/// Integer remainder of the operands rounded to integers.
Variant modulo(const Variant &a, const Variant &b);
/// The message of a division by zero.
QString divisionByZeroMessage();
/// Logical on two booleans, bitwise on integers.
Variant bitwiseOr(const Variant &a, const Variant &b);
Variant negate(const Variant &value);

enum class Ordering { Less, Equal, Greater, Unordered };

/// Texts compare as texts, everything else numerically; null equals only null and sorts first.
Ordering compare(const Variant &a, const Variant &b);

enum class Comparison { Less, LessOrEqual, Equal, NotEqual, GreaterOrEqual, Greater };

/// The integer 1 when the comparison holds, else the integer 0.
Variant compareToInteger(const Variant &a, const Variant &b, Comparison comparison);

/// True when the value equals the number 0 (the test of NOT and of conditions).
bool equalsZero(const Variant &value);

} // namespace tovren::script
