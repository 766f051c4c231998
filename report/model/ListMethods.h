#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <QStringList>

namespace tovren::model {

inline constexpr qsizetype kMaximumListLines = 1'000'000;

/// The list methods scripts call on any string-list property: propertyName + ".ADD", ".CLEAR",
/// ".DELETE", ".INDEXOF", and SETINDEXPROPERTY / GETINDEXPROPERTY with p1 = propertyName.
///
/// ADD, DELETE and INDEXOF receive expression texts and evaluate them (RunState::evaluate).
/// An index outside the list is ignored on write and reads as the empty value, so no script can
/// corrupt a list; ADD past kMaximumListLines lines raises EvaluationError. Returns the empty
/// value for methods it does not know.
script::Variant CallListMethod(QStringList &list, const QString &method, const script::Variant &p1,
                               const script::Variant &p2, const script::Variant &p3,
                               const QString &propertyName);

/// Evaluates @p expression through the report's evaluator, or a plain parser when none is set.
script::Variant evaluateExpression(const QString &expression);

/// Splits a property text into lines at CR LF, LF or CR.
QStringList splitLines(const QString &text);
/// Each line followed by CR LF, as scripts read multi-line properties.
QString joinLines(const QStringList &lines);

} // namespace tovren::model
