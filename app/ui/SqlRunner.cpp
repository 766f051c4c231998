#include "app/ui/SqlRunner.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"

#include <QRegularExpression>

namespace tovren::app {

namespace {

QString browseSql()
{
    return QString::fromLatin1(db::InfoTable::kBrowseSql);
}

/// The statement with its quoted strings and identifiers blanked out, so a "where" inside a
/// string does not count.
QString withoutQuotedText(const QString &statement)
{
    static const QRegularExpression quoted(QStringLiteral(R"('(?:[^']|'')*'|"(?:[^"]|"")*")"));
    QString text = statement;
    text.replace(quoted, QStringLiteral("''"));
    return text;
}

} // namespace

SqlRunner::SqlRunner(db::TDbQuery &query, Flag returnsResultSet, Confirm confirm)
    : m_query(query)
    , m_returnsResultSet(std::move(returnsResultSet))
    , m_confirm(std::move(confirm))
{}

bool SqlRunner::changesEveryRow(const QString &statement)
{
    static const QRegularExpression change(QStringLiteral(R"(^\s*(delete|update)\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression where(QStringLiteral(R"(\bwhere\b)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString text = withoutQuotedText(statement);
    return change.match(text).hasMatch() && !where.match(text).hasMatch();
}

void SqlRunner::reopen(const QString &sql)
{
    m_query.close();
    m_query.setSql(sql);
    m_query.open();
}

void SqlRunner::restoreWholeTable()
{
    reopen(browseSql());
}

SqlRunResult SqlRunner::run(const QString &statement)
{
    const QString text = statement.trimmed();
    if (text.isEmpty())
        throw db::EDatabaseError(QStringLiteral("请先输入要执行的 SQL 语句"));
    if (changesEveryRow(text)) {
        const bool deletes = text.startsWith(QLatin1String("delete"), Qt::CaseInsensitive);
        const QString question =
            QStringLiteral("该语句没有 where 条件, 将%1表中的全部记录。\n确定要执行吗?")
                .arg(deletes ? QStringLiteral("删除") : QStringLiteral("修改"));
        if (!m_confirm(question))
            return {SqlRunResult::Kind::Declined, m_query.recordCount(), -1};
    }
    const QString shownBefore = m_query.isActive() ? m_query.sql() : browseSql();
    const bool returnsRows = m_returnsResultSet();

    SqlRunResult result;
    try {
        m_query.close();
        m_query.clearSql();
        m_query.setSql(text);
        if (returnsRows) {
            try {
                m_query.open();
                return {SqlRunResult::Kind::Rows, m_query.recordCount(), -1};
            } catch (const db::ENoResultSet &ran) {
                result = {SqlRunResult::Kind::Command, 0, ran.rowsAffected()};
            }
        } else {
            result = {SqlRunResult::Kind::Command, 0, m_query.execSql()};
        }
    } catch (const db::EDatabaseError &error) {
        // A failed command may have changed nothing, but the grid must show the table again; a
        // failed query goes back to what the grid showed.
        try {
            if (returnsRows)
                reopen(shownBefore);
            else
                restoreWholeTable();
        } catch (const db::EDatabaseError &) {
            try {
                restoreWholeTable();
            } catch (const db::EDatabaseError &restoreError) {
                throw db::EDatabaseError(error.message() + QStringLiteral("\n\n") +
                                         restoreError.message());
            }
        }
        throw;
    }
    restoreWholeTable();
    result.rowCount = m_query.recordCount();
    return result;
}

} // namespace tovren::app
