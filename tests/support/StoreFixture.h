#pragma once

#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tovren::test {

enum class Backend { Sqlite, PostgreSql };

inline std::string backendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Sqlite ? "Sqlite" : "PostgreSql";
}

/// A fresh store with an empty `info` table for every test, on SQLite or on the throw-away
/// PostgreSQL server named by TOVREN_TEST_PG (the test is skipped when there is none).
class StoreTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::PostgreSql) {
            m_connectionText = qEnvironmentVariable("TOVREN_TEST_PG");
            if (m_connectionText.isEmpty())
                GTEST_SKIP() << "TOVREN_TEST_PG is not set; no PostgreSQL server to test against";
            dropAllTables();
        } else {
            m_connectionText = m_dir.filePath(QStringLiteral("store.db"));
        }
        connection = openConnection();
    }

    std::unique_ptr<db::TDbConnection> openConnection() const
    {
        auto opened = std::make_unique<db::TDbConnection>(db::ConnectionSpec::parse(m_connectionText));
        opened->open();
        return opened;
    }

    /// An open browse query on the store.
    std::unique_ptr<db::TDbQuery> openBrowse(const QString &sql = QStringLiteral("Select * from info")) const
    {
        auto query = std::make_unique<db::TDbQuery>(*connection);
        query->setSql(sql);
        query->open();
        return query;
    }

    void addGraduates(int count, quint32 seed = 1)
    {
        demo::writeDemoGraduates(*connection, count, seed);
    }

    /// Counts rows through a second connection, so only what reached the store is seen.
    qlonglong storedCount(const QString &where = {}) const
    {
        const auto other = openConnection();
        QSqlQuery query(other->database());
        query.exec(QStringLiteral("SELECT COUNT(*) FROM info") + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
        return query.next() ? query.value(0).toLongLong() : -1;
    }

    QString storedText(const QString &column, qlonglong id) const
    {
        const auto other = openConnection();
        QSqlQuery query(other->database());
        query.prepare(QStringLiteral("SELECT %1 FROM info WHERE %2 = ?")
                          .arg(other->quoteIdentifier(column), other->quoteIdentifier(QStringLiteral("ID"))));
        query.addBindValue(id);
        query.exec();
        return query.next() ? query.value(0).toString() : QStringLiteral("<missing>");
    }

    QString connectionText() const { return m_connectionText; }

    std::unique_ptr<db::TDbConnection> connection;

private:
    void dropAllTables()
    {
        QSqlDatabase bare = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("drop"));
        const QUrl url(m_connectionText);
        bare.setHostName(url.host());
        bare.setPort(url.port(5432));
        bare.setUserName(url.userName());
        bare.setPassword(url.password());
        bare.setDatabaseName(url.path().mid(1));
        if (bare.open()) {
            QSqlQuery drop(bare);
            drop.exec(QStringLiteral("DROP SCHEMA public CASCADE"));
            drop.exec(QStringLiteral("CREATE SCHEMA public"));
            bare.close();
        }
        bare = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("drop"));
    }

    QTemporaryDir m_dir;
    QString m_connectionText;
};

} // namespace tovren::test
