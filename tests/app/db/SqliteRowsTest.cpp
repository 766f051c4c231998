#include "app/db/SqliteRows.h"

#include "app/db/PackedRow.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovren::db;

namespace {

// Every kind of cell SQLite holds, in columns of every declared type, with text that is not
// UTF-8 at all (cut short, over-long, a surrogate) as a damaged or foreign store may hold.
constexpr const char *kRows[] = {
    "1, 2.5, 'abc', X'00FF', NULL",
    "9223372036854775807, -0.0, '张三', NULL, '𠮷䶮'",
    "'text in a number column', 1e300, '', X'', CAST(X'610062' AS TEXT)",
    "NULL, 'x', CAST(X'E4B8' AS TEXT), 3, CAST(X'C080' AS TEXT)",
    "-1, 7, CAST(X'EDA080' AS TEXT), 'ok', CAST(X'F4908080' AS TEXT)",
};

std::vector<PackedRow> readRows(QSqlDatabase &db, bool direct)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM cells ORDER BY rowid")));
    const int columns = query.record().count();
    std::vector<PackedRow> rows;
    std::vector<QVariant> values(columns);
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            values[i] = query.value(i);
        rows.push_back(PackedRow::pack(values));
        if (direct && readRemainingSqliteRows(query, columns, rows))
            break;
    }
    return rows;
}

} // namespace

// Rows read straight from SQLite hold what the same rows read through Qt hold, cell by cell.
TEST(SqliteRowsTest, RowsReadStraightFromTheStoreEqualThoseReadThroughQt)
{
    QTemporaryDir dir;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sqlite-rows"));
        db.setDatabaseName(dir.filePath(QStringLiteral("cells.db")));
        ASSERT_TRUE(db.open());
        QSqlQuery create(db);
        ASSERT_TRUE(create.exec(
            QStringLiteral("CREATE TABLE cells (n INTEGER, r REAL, t TEXT, b BLOB, v)")));
        for (const char *row : kRows)
            ASSERT_TRUE(create.exec(
                QStringLiteral("INSERT INTO cells VALUES (%1)").arg(QString::fromUtf8(row))));

        const std::vector<PackedRow> throughQt = readRows(db, false);
        const std::vector<PackedRow> direct = readRows(db, true);
        ASSERT_EQ(throughQt.size(), std::size(kRows));
        ASSERT_EQ(direct.size(), throughQt.size());
        for (std::size_t r = 0; r < direct.size(); ++r) {
            ASSERT_EQ(direct[r].columnCount(), 5);
            for (int c = 0; c < 5; ++c) {
                const QVariant expected = throughQt[r].value(c);
                const QVariant actual = direct[r].value(c);
                EXPECT_EQ(actual.typeId(), expected.typeId()) << "row " << r << " column " << c;
                EXPECT_EQ(actual, expected) << "row " << r << " column " << c;
                EXPECT_EQ(direct[r].isNull(c), throughQt[r].isNull(c));
            }
        }
        EXPECT_EQ(direct[1].text(4), QStringLiteral("𠮷䶮"));
        EXPECT_TRUE(direct[1].isNull(3));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sqlite-rows"));
}
