#pragma once

#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace tovren::test {

enum class Backend { Sqlite, PostgreSql };

inline std::string backendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Sqlite ? "Sqlite" : "PostgreSql";
}

/// A fresh store with an empty `info` table for every test, on SQLite or on the throw-away
/// PostgreSQL server named by TOVREN_TEST_PG (the test is skipped when there is none). On
/// PostgreSQL every test gets a database of its own, so tests may run side by side.
class StoreTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::PostgreSql) {
            const QString server = qEnvironmentVariable("TOVREN_TEST_PG");
            if (server.isEmpty())
                GTEST_SKIP() << "TOVREN_TEST_PG is not set; no PostgreSQL server to test against";
            m_serverUrl = QUrl(server);
            m_ownDatabase =
                QStringLiteral("tovren_test_%1").arg(QCoreApplication::applicationPid());
            ASSERT_TRUE(runOnServer(
                QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_ownDatabase)));
            ASSERT_TRUE(runOnServer(QStringLiteral("CREATE DATABASE %1").arg(m_ownDatabase)))
                << "cannot create a test database on " << server.toStdString();
            QUrl own = m_serverUrl;
            own.setPath(QLatin1Char('/') + m_ownDatabase);
            m_connectionText = own.toString();
        } else {
            m_connectionText = m_dir.filePath(QStringLiteral("store.db"));
        }
        connection = openConnection();
    }

    // Not TearDown: fixtures built on this one may still hold queries on the connection then.
    ~StoreTest() override
    {
        connection.reset();
        if (!m_ownDatabase.isEmpty())
            runOnServer(
                QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_ownDatabase));
    }

    std::unique_ptr<db::TDbConnection> openConnection() const
    {
        auto opened =
            std::make_unique<db::TDbConnection>(db::ConnectionSpec::parse(m_connectionText));
        opened->open();
        return opened;
    }

    /// An open browse query on the store.
    std::unique_ptr<db::TDbQuery>
    openBrowse(const QString &sql = QStringLiteral("Select * from info")) const
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
        query.exec(QStringLiteral("SELECT COUNT(*) FROM info") +
                   (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
        return query.next() ? query.value(0).toLongLong() : -1;
    }

    QString storedText(const QString &column, qlonglong id) const
    {
        const auto other = openConnection();
        QSqlQuery query(other->database());
        query.prepare(
            QStringLiteral("SELECT %1 FROM info WHERE %2 = ?")
                .arg(other->quoteIdentifier(column), other->quoteIdentifier(QStringLiteral("ID"))));
        query.addBindValue(id);
        query.exec();
        return query.next() ? query.value(0).toString() : QStringLiteral("<missing>");
    }

    QString connectionText() const { return m_connectionText; }

    std::unique_ptr<db::TDbConnection> connection;

private:
    /// Runs one statement on the server's own database, outside the test's store.
    bool runOnServer(const QString &statement) const
    {
        const QString name = QStringLiteral("server");
        bool done = false;
        {
            QSqlDatabase bare = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            bare.setHostName(m_serverUrl.host());
            bare.setPort(m_serverUrl.port(5432));
            bare.setUserName(m_serverUrl.userName());
            bare.setPassword(m_serverUrl.password());
            bare.setDatabaseName(m_serverUrl.path().mid(1));
            if (bare.open())
                done = QSqlQuery(bare).exec(statement);
        }
        QSqlDatabase::removeDatabase(name);
        return done;
    }

    QTemporaryDir m_dir;
    QUrl m_serverUrl;
    QString m_ownDatabase;
    QString m_connectionText;
};

} // namespace tovren::test
