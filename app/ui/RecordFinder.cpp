#include "app/ui/RecordFinder.h"

#include "app/db/DbQuery.h"

#include <QStringList>
#include <vector>

namespace tovren::app {

namespace {

/// The columns a clerk identifies a graduate by; a query without them is searched in full.
const QStringList kIdentifyingColumns{QStringLiteral("Name"), QStringLiteral("StudID"),
                                      QStringLiteral("CardID"), QStringLiteral("ID")};

} // namespace

RecordFinder::RecordFinder(const db::TDbQuery &query)
    : m_query(query)
{}

std::vector<int> RecordFinder::searchedColumns() const
{
    std::vector<int> columns;
    for (int column = 0; column < m_query.fieldCount(); ++column) {
        if (kIdentifyingColumns.contains(m_query.field(column).fieldName(), Qt::CaseInsensitive))
            columns.push_back(column);
    }
    if (columns.empty()) {
        for (int column = 0; column < m_query.fieldCount(); ++column)
            columns.push_back(column);
    }
    return columns;
}

bool RecordFinder::matches(qsizetype row, const std::vector<int> &columns,
                           const QString &text) const
{
    for (const int column : columns) {
        if (m_query.cellText(row, column).contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

qsizetype RecordFinder::findNext(const QString &text, qsizetype afterRow) const
{
    const QString wanted = text.trimmed();
    const qsizetype count = m_query.recordCount();
    if (wanted.isEmpty() || count == 0)
        return -1;
    const std::vector<int> columns = searchedColumns();
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype row = ((afterRow < 0 ? -1 : afterRow) + step) % count;
        if (matches(row, columns, wanted))
            return row;
    }
    return -1;
}

} // namespace tovren::app
