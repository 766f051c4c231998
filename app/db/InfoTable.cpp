#include "app/db/InfoTable.h"

namespace tovren::db::InfoTable {

QString labelFor(const QString &fieldName)
{
    for (const Column &column : kColumns) {
        if (fieldName == QLatin1String(column.name))
            return QString::fromUtf8(column.label);
    }
    return {};
}

} // namespace tovren::db::InfoTable

#include "app/db/DbQuery.h"

namespace tovren::db::InfoTable {

void applyDisplayLabels(TDbQuery &query)
{
    for (int i = 0; i < query.fieldCount(); ++i) {
        TDbField &field = query.field(i);
        const QString label = labelFor(field.fieldName());
        if (!label.isEmpty())
            field.setDisplayLabel(label);
    }
}

} // namespace tovren::db::InfoTable
