#pragma once

#include <QString>
#include <functional>

namespace tovren::model {

/// Replaces every bracketed expression of @p text by @p valueText of the text between the
/// brackets. Brackets inside quotes do not count, nested brackets stay in the expression
/// ("[A[B]]" gives "A[B]"), and an unclosed bracket takes the rest of the text as its span.
QString ExpandBrackets(QString text, const std::function<QString(const QString &)> &valueText);

} // namespace tovren::model
