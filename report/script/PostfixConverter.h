#pragma once

#include <QString>
#include <QStringView>

namespace tovren::script {

/// The operator characters of postfix code that are not their own source text.
namespace PostfixCode {
inline constexpr char16_t GreaterOrEqual = 1;
inline constexpr char16_t LessOrEqual = 2;
inline constexpr char16_t NotEqual = 3;
inline constexpr char16_t Or = 4;
inline constexpr char16_t And = 5;
inline constexpr char16_t Int = 6;
inline constexpr char16_t Frac = 7;
inline constexpr char16_t Div = 8;
inline constexpr char16_t Negate = 9;
inline constexpr char16_t UnaryPlus = 10;
inline constexpr char16_t Str = 11;
inline constexpr char16_t Not = 12;
inline constexpr char16_t Mod = 13;
inline constexpr char16_t Round = 14;
} // namespace PostfixCode

/// Converts an expression to postfix code by operator precedence: operands are copied followed by
/// one blank, calls are copied whole, operators become single characters. A smaller priority
/// number binds tighter; operators of equal priority associate to the left.
///
/// Raises EvaluationError for a call without its ")", a call with more than three arguments, an
/// unterminated string and an unclosed "[".
QString convertToPostfix(QStringView expression);

} // namespace tovren::script
