#pragma once

#include "report/script/TqxFunctionLibrary.h"

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::script {

class AggregateHandler;

/// The standard functions of expressions: strings, dates, numbers, the INPUT and MESSAGEBOX
/// dialogs and the aggregates SUM, AVG, MIN, MAX and COUNT.
///
/// Dialogs are asked through the dialog provider and aggregates go to the aggregate handler;
/// either may be absent, in which case INPUT answers its default, MESSAGEBOX answers Cancel and
/// an aggregate shows "0", so nothing ever waits on a window nobody can see. Conversion errors in
/// arguments raise EvaluationError for the caller to report.
class TqxStdFunctionLibrary : public TqxFunctionLibrary
{
public:
    explicit TqxStdFunctionLibrary(const TqxParser &parser,
                                   platform::DialogProvider *dialogs = nullptr,
                                   AggregateHandler *aggregates = nullptr);

    void setDialogProvider(platform::DialogProvider *dialogs) { m_dialogs = dialogs; }
    void setAggregateHandler(AggregateHandler *aggregates) { m_aggregates = aggregates; }

    void describeFunctions(TqxInstalledFunctions &registry) const override;

protected:
    void RunFunction(int number, const QString &p1, const QString &p2, const QString &p3,
                     Variant &value) override;

private:
    Variant aggregate(int number, const QString &p1, const QString &p2, const QString &p3);
    QString text(const QString &argument) const { return evaluate(argument).toString(); }
    double date(const QString &argument) const;
    Variant input(const QString &p1, const QString &p2) const;
    Variant messageBox(const QString &p1, const QString &p2, const QString &p3) const;

    platform::DialogProvider *m_dialogs;
    AggregateHandler *m_aggregates;
};

} // namespace tovren::script
