#pragma once

#include <QString>

#include <functional>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// Runs the statement typed into the main window on the browse query.
///
/// With "return a result set" on, the query is reopened on the statement and shows its rows;
/// otherwise the statement runs as a command and the query goes back to the whole table, even
/// when the command failed. A failing statement with the result-set box on leaves the query
/// closed on the failing text. Errors are rethrown after the restore, for the caller to show.
class SqlRunner
{
public:
    using Flag = std::function<bool()>;
    using CountSink = std::function<void(qsizetype)>;

    SqlRunner(db::TDbQuery &query, Flag returnsResultSet, CountSink showRecordCount);

    void run(const QString &statement);

private:
    void restoreWholeTable();

    db::TDbQuery &m_query;
    Flag m_returnsResultSet;
    CountSink m_showRecordCount;
};

} // namespace tovren::app
