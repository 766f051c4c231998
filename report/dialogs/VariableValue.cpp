#include "report/dialogs/VariableValue.h"

#include "report/dialogs/ExpressionNames.h"
#include "report/dialogs/ReportCatalogue.h"

namespace tovren::dialogs {

VariableValue VariableValue::classify(const QString &value, const ReportCatalogue &catalogue)
{
    VariableValue shown;
    const qsizetype dot = value.lastIndexOf(u'.');
    if (dot > 0) {
        const QString dataSet = value.left(dot);
        QString field = value.mid(dot + 1);
        if (field.startsWith(u'"'))
            field = field.mid(1, field.size() - (field.endsWith(u'"') && field.size() > 1 ? 2 : 1));
        for (const QString &source : catalogue.sourceNames()) {
            if (catalogue.realSourceName(source).compare(dataSet, Qt::CaseInsensitive) != 0)
                continue;
            for (const QString &shownField : catalogue.fieldNames(source)) {
                if (catalogue.realFieldName(source, shownField)
                        .compare(field, Qt::CaseInsensitive) == 0) {
                    shown.kind = Kind::Field;
                    shown.source = source;
                    shown.field = shownField;
                    return shown;
                }
            }
        }
    }
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty())
        return shown;
    const qsizetype system = ExpressionNames::systemVariables().indexOf(trimmed.toUpper());
    if (system >= 0) {
        shown.kind = Kind::System;
        shown.systemRow = int(system) + 1;
        return shown;
    }
    shown.kind = Kind::Expression;
    shown.expression = value;
    return shown;
}

QString VariableValue::fieldValue(const ReportCatalogue &catalogue, const QString &shownSource,
                                  const QString &shownField)
{
    return ExpressionNames::fieldReference(catalogue.realSourceName(shownSource),
                                           catalogue.realFieldName(shownSource, shownField));
}

} // namespace tovren::dialogs
