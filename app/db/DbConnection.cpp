#include "app/db/DbConnection.h"

#include "app/db/DatabaseError.h"
#include "app/db/InfoTable.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace tovren::db {

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tovren-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

TDbConnection::TDbConnection(ConnectionSpec spec)
    : m_spec(std::move(spec))
    , m_connectionName(nextConnectionName())
{}

TDbConnection::~TDbConnection()
{
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase TDbConnection::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool TDbConnection::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && database().isOpen();
}

void TDbConnection::open()
{
    if (isOpen())
        return;
    QSqlDatabase db;
    if (m_spec.kind() == ConnectionSpec::Kind::Sqlite) {
        const QFileInfo file(m_spec.sqlitePath());
        if (!file.dir().exists())
            throw EDatabaseError(
                QStringLiteral("无法打开数据库 %1: 目录不存在").arg(m_spec.displayName()));
        if (file.exists() && !file.isFile())
            throw EDatabaseError(
                QStringLiteral("无法打开数据库 %1: 不是文件").arg(m_spec.displayName()));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(m_spec.sqlitePath());
        // Several desks may share one file: wait for a lock instead of failing at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        const QUrl url = m_spec.serverUrl();
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        QString name = url.path();
        if (name.startsWith(u'/'))
            name.remove(0, 1);
        db.setDatabaseName(name.isEmpty() ? url.userName() : name);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    }
    if (!db.isValid())
        throw EDatabaseError(QStringLiteral("数据库驱动不可用: %1").arg(m_spec.displayName()));
    if (!db.open()) {
        const QString message = sqlErrorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw EDatabaseError(
            QStringLiteral("无法打开数据库 %1: %2").arg(m_spec.displayName(), message));
    }
    if (m_spec.kind() == ConnectionSpec::Kind::Sqlite) {
        // A file that is not a database only shows itself on the first statement.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("PRAGMA schema_version"))) {
            const QString message = sqlErrorText(probe.lastError());
            probe = QSqlQuery();
            db.close();
            throw EDatabaseError(
                QStringLiteral("无法打开数据库 %1: %2").arg(m_spec.displayName(), message));
        }
        // Write-ahead logging lets one desk read while another writes; a writer waits for the
        // other (the busy timeout) instead of failing at once. A read-only file keeps its mode.
        probe.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    }
    try {
        ensureInfoTable();
    } catch (...) {
        db.close();
        throw;
    }
}

void TDbConnection::switchTo(const ConnectionSpec &spec)
{
    const ConnectionSpec previous = m_spec;
    const bool wasOpen = isOpen();
    close();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_spec = spec;
    try {
        open();
    } catch (const EDatabaseError &) {
        close();
        QSqlDatabase::removeDatabase(m_connectionName);
        m_spec = previous;
        if (wasOpen) {
            try {
                open();
            } catch (const EDatabaseError &) {
                // The old store has gone too; the caller shows why the new one failed.
            }
        }
        throw;
    }
}

void TDbConnection::close()
{
    if (QSqlDatabase::contains(m_connectionName))
        database().close();
}

QStringList TDbConnection::tableNames() const
{
    return database().tables(QSql::Tables);
}

QString TDbConnection::quoteIdentifier(const QString &name) const
{
    return database().driver()->escapeIdentifier(name, QSqlDriver::FieldName);
}

void TDbConnection::ensureInfoTable()
{
    const QStringList tables = tableNames();
    const QString info = QString::fromLatin1(InfoTable::kName);
    for (const QString &table : tables) {
        if (table.compare(info, Qt::CaseInsensitive) == 0)
            return;
    }
    if (!tables.isEmpty())
        throw EDatabaseError(QStringLiteral("数据库 %1 中没有表 info").arg(m_spec.displayName()));

    QStringList columns;
    const QString key = quoteIdentifier(QString::fromLatin1(InfoTable::kKeyColumn));
    columns << (isPostgreSql() ? key + QStringLiteral(" SERIAL PRIMARY KEY")
                               : key + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT"));
    for (const InfoTable::Column &column : InfoTable::kColumns) {
        if (QLatin1String(column.name) != QLatin1String(InfoTable::kKeyColumn))
            columns << quoteIdentifier(QString::fromLatin1(column.name)) + QStringLiteral(" TEXT");
    }
    execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(info, columns.join(QStringLiteral(", "))));
}

int TDbConnection::execute(const QString &sql)
{
    QSqlQuery query(database());
    if (!query.exec(sql))
        throw EDatabaseError(sqlErrorText(query.lastError()));
    return query.numRowsAffected();
}

void TDbConnection::beginTransaction()
{
    QSqlDatabase db = database();
    if (!db.transaction())
        throw EDatabaseError(sqlErrorText(db.lastError()));
}

void TDbConnection::commit()
{
    QSqlDatabase db = database();
    if (!db.commit())
        throw EDatabaseError(sqlErrorText(db.lastError()));
}

void TDbConnection::rollback()
{
    database().rollback();
}

void TDbConnection::addTextColumn(const QString &table, const QString &column)
{
    execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT")
                .arg(quoteIdentifier(table), quoteIdentifier(column)));
}

} // namespace tovren::db
