#pragma once

#include <QString>

namespace tovren::dialogs {

class ReportCatalogue;

/// How the dictionary editor shows a variable's value: as a data field picked from the lists,
/// as a system variable, or as an expression typed by hand.
struct VariableValue
{
    enum class Kind { Empty, Field, System, Expression };

    Kind kind = Kind::Empty;
    /// For a field: the source and field as the lists show them.
    QString source;
    QString field;
    /// For a system variable: its row in the value list (1 for "页#").
    int systemRow = 0;
    QString expression;

    static VariableValue classify(const QString &value, const ReportCatalogue &catalogue);
    /// The value stored for a field chosen from the lists.
    static QString fieldValue(const ReportCatalogue &catalogue, const QString &shownSource,
                              const QString &shownField);
};

} // namespace tovren::dialogs
