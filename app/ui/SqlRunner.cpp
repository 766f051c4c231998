#include "app/ui/SqlRunner.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"

namespace tovren::app {

SqlRunner::SqlRunner(db::TDbQuery &query, Flag returnsResultSet, CountSink showRecordCount)
    : m_query(query)
    , m_returnsResultSet(std::move(returnsResultSet))
    , m_showRecordCount(std::move(showRecordCount))
{
}

void SqlRunner::restoreWholeTable()
{
    m_query.close();
    m_query.setSql(QString::fromLatin1(db::InfoTable::kBrowseSql));
    m_query.open();
}

void SqlRunner::run(const QString &statement)
{
    m_query.close();
    m_query.clearSql();
    m_query.setSql(statement.trimmed());
    try {
        if (m_returnsResultSet()) {
            m_query.open();
            m_showRecordCount(m_query.recordCount());
        } else {
            m_query.execSql();
        }
    } catch (const db::EDatabaseError &error) {
        // The box is read again here, as the person may have changed it meanwhile.
        if (!m_returnsResultSet()) {
            try {
                restoreWholeTable();
            } catch (const db::EDatabaseError &restoreError) {
                throw db::EDatabaseError(error.message() + QStringLiteral("\n\n")
                                         + restoreError.message());
            }
        }
        throw;
    }
    if (!m_returnsResultSet())
        restoreWholeTable();
}

} // namespace tovren::app
