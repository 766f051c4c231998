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
