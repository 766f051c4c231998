#include "app/db/SqliteRows.h"

#include "app/db/DatabaseError.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>
#include <sqlite3.h>

namespace tovren::db {

namespace {

sqlite3_stmt *sqliteStatement(const QSqlQuery &query)
{
    const QSqlDriver *driver = query.driver();
    if (!driver || driver->dbmsType() != QSqlDriver::SQLite || !query.result())
        return nullptr;
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt *const *>(handle.constData());
}

void addCell(PackedRow::Builder &row, sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        row.addInt64(sqlite3_column_int64(statement, column));
        return;
    case SQLITE_FLOAT:
        row.addDouble(sqlite3_column_double(statement, column));
        return;
    case SQLITE_NULL:
        row.addNull();
        return;
    case SQLITE_BLOB: {
        const void *blob = sqlite3_column_blob(statement, column);
        row.addBytes(QByteArrayView(static_cast<const char *>(blob),
                                    sqlite3_column_bytes(statement, column)));
        return;
    }
    default:
        break;
    }
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    if (row.addUtf8Text(QByteArrayView(utf8, sqlite3_column_bytes(statement, column))))
        return;
    // Not UTF-8 after all: SQLite's own conversion, as Qt would have it.
    const void *utf16 = sqlite3_column_text16(statement, column);
    row.addText(QStringView(static_cast<const char16_t *>(utf16),
                            sqlite3_column_bytes16(statement, column) / 2));
}

} // namespace

bool readRemainingSqliteRows(QSqlQuery &query, int columns, std::vector<PackedRow> &rows)
{
    sqlite3_stmt *statement = sqliteStatement(query);
    if (!statement || sqlite3_column_count(statement) != columns)
        return false;
    PackedRow::Builder row(columns);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column)
            addCell(row, statement, column);
        rows.push_back(row.finish());
    }
    if (step != SQLITE_DONE)
        throw EDatabaseError(
            explainEngineError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement)))));
    return true;
}

} // namespace tovren::db
