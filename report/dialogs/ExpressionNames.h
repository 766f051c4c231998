#pragma once

#include <QString>
#include <QStringList>

namespace tovren::dialogs {

/// How the expression builder writes the names it inserts.
namespace ExpressionNames {

/// The name unchanged when it is made of letters A to Z, digits, "." and "_" only (or empty);
/// otherwise in brackets, so that Chinese names, blanks and quoted fields stay one name.
QString bracketIfNeeded(const QString &name);
/// source + "." + the field in double quotes, as in Table1."Name".
QString fieldReference(const QString &source, const QString &field);
/// The system variables as expressions know them: "PAGE#", "DATE", ... "TOTALPAGES".
const QStringList &systemVariables();
/// Their names in the pickers: "页#", "日期", ... "总页数", in the same order.
const QStringList &systemVariableCaptions();
/// "系统变量": the pickers' category of the system variables.
QString systemCategory();
/// How many argument boxes a function signature asks for: none without "(", else one plus
/// one per "," (at most three).
int argumentCount(const QString &signature);
/// name + "(" + the non-empty arguments joined by ", " + ")"; the first is always written.
QString callText(const QString &name, const QStringList &arguments);
/// A function description "signature/description" split at its first "/".
struct FunctionDescription
{
    QString signature;
    QString description;
    static FunctionDescription parse(const QString &text);
};

} // namespace ExpressionNames

} // namespace tovren::dialogs
