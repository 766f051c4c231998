#include "app/import/ImportColumns.h"

#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"

#include <set>

namespace tovren::import {

namespace {

int fieldForHeader(const QString &header, const db::TDbQuery &query)
{
    int byName = -1;
    int byTitle = -1;
    for (int field = 0; field < query.fieldCount(); ++field) {
        const QString &name = query.field(field).fieldName();
        if (header.compare(name, Qt::CaseInsensitive) == 0)
            byName = field;
        else if (header == db::InfoTable::labelFor(name))
            byTitle = field;
    }
    return byName >= 0 ? byName : byTitle;
}

} // namespace

ImportColumns::ImportColumns(const SheetData &sheet, const db::TDbQuery &query)
    : m_query(query)
{
    // Columns with a blank header can still hold data further down; they are ignored too and
    // the person should hear of them.
    std::set<int> used;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        for (const int column : sheet.usedColumns(row))
            used.insert(column);
    }
    for (const int column : used) {
        const QString header = sheet.cellText(1, column).trimmed();
        const int field = header.isEmpty() ? -1 : fieldForHeader(header, query);
        if (field >= 0)
            m_mapped.push_back({column, field});
        else
            m_ignored << (header.isEmpty() ? QStringLiteral("第 %1 列").arg(column) : header);
    }
}

int ImportColumns::columnOf(const QString &fieldName) const
{
    int column = 0;
    for (const Mapped &entry : m_mapped) {
        if (m_query.field(entry.field).fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            column = entry.column;
    }
    return column;
}

} // namespace tovren::import
