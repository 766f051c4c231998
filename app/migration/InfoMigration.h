#pragma once

#include <QString>

namespace tovren::db {
class TDbConnection;
}

namespace tovren::migration {

class JetDatabase;

/// Copies the graduate table of an old Jet database into the current store.
///
/// The copy runs in one transaction: either every row arrives or none does. Columns are matched
/// by name ignoring case; a source column the store lacks is added to it rather than dropped.
/// The old keys are kept when the store's table is empty (so the order and numbers people know
/// survive); otherwise the store numbers the copied rows itself.
class InfoMigration
{
public:
    InfoMigration(const JetDatabase &source, db::TDbConnection &target);

    /// The source table to copy; "info" unless the old file named it differently.
    void setSourceTable(const QString &table) { m_sourceTable = table; }

    /// Returns the number of rows copied. Throws on any failure, with the store unchanged.
    qsizetype run();

private:
    const JetDatabase &m_source;
    db::TDbConnection &m_target;
    QString m_sourceTable;
};

} // namespace tovren::migration
