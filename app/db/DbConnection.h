#pragma once

#include "app/db/ConnectionSpec.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tovren::db {

/// The connection to the graduate store, owning one named Qt SQL connection.
///
/// Opening creates an empty store with table `info` when the store holds no tables yet; a store
/// that holds other tables but no `info` is refused with a clear message rather than changed.
/// Every failure throws EDatabaseError with the engine's message.
class TDbConnection
{
public:
    explicit TDbConnection(ConnectionSpec spec);
    ~TDbConnection();
    TDbConnection(const TDbConnection &) = delete;
    TDbConnection &operator=(const TDbConnection &) = delete;

    const ConnectionSpec &spec() const { return m_spec; }

    /// Connecting an open connection does nothing.
    void open();
    /// Closes this store and opens @p spec instead; when that fails, the store that was open
    /// is opened again and the error passes on. No query may be open on the connection.
    void switchTo(const ConnectionSpec &spec);
    void close();
    bool isOpen() const;

    QSqlDatabase database() const;
    bool isPostgreSql() const { return m_spec.kind() == ConnectionSpec::Kind::PostgreSql; }

    /// Runs a statement that returns no rows; returns the number of rows it touched (-1 unknown).
    int execute(const QString &sql);
    QStringList tableNames() const;
    QString quoteIdentifier(const QString &name) const;

    void beginTransaction();
    void commit();
    void rollback();

    /// Adds a text column to `info` (used when an imported store carries more columns).
    void addTextColumn(const QString &table, const QString &column);

private:
    void ensureInfoTable();

    ConnectionSpec m_spec;
    QString m_connectionName;
};

} // namespace tovren::db
