#pragma once

#include <QString>
#include <functional>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// What a statement typed into the main window did.
struct SqlRunResult
{
    enum class Kind {
        Rows,     ///< the query shows the statement's rows
        Command,  ///< the statement changed the store; the query shows the whole table again
        Declined, ///< the person did not confirm a change of every row; nothing ran
    };
    Kind kind = Kind::Declined;
    qsizetype rowCount = 0; ///< rows the query shows afterwards
    int rowsAffected = -1;  ///< rows a command changed, -1 when the store does not say
};

/// Runs the statement typed into the main window on the browse query.
///
/// With "return a result set" on, the query is reopened on the statement and shows its rows; a
/// statement that turns out to return none (an update, say) has changed the store all the same
/// and is reported as the command it was. Otherwise the statement runs as a command and the
/// query goes back to the whole table. A delete or update without a where clause runs only
/// when the person confirms it. Whatever fails, the query is left open: on the whole table
/// after a command, on what it showed before after a failing query, so the grid and the
/// navigator keep working. Errors are rethrown after the restore, for the caller to show.
class SqlRunner
{
public:
    using Flag = std::function<bool()>;
    using Confirm = std::function<bool(const QString &question)>;

    SqlRunner(db::TDbQuery &query, Flag returnsResultSet, Confirm confirm);

    SqlRunResult run(const QString &statement);

    /// True for a delete or update that names no where clause, so it changes every row.
    static bool changesEveryRow(const QString &statement);

private:
    void reopen(const QString &sql);
    void restoreWholeTable();

    db::TDbQuery &m_query;
    Flag m_returnsResultSet;
    Confirm m_confirm;
};

} // namespace tovren::app
