#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::db {
class TDbConnection;
}

namespace tovren::migration {

class LegacySource;

/// A date cell of the old table that holds no real date (such as 1900-01-00); stored as empty.
struct InvalidDate
{
    qsizetype row; ///< 1-based, in the order the old table gives its rows
    QString column;
    QString text;
};

/// What a migration did, for its closing message.
struct MigrationReport
{
    QString sourceTable;
    qsizetype copied = 0;
    QStringList addedColumns;
    std::vector<InvalidDate> invalidDates;

    /// The closing message: rows copied into @p storeName, the columns added to the store and
    /// each invalid date by row and column. Past @p listedDates dates only their number is
    /// given, so a window's message box stays on the screen.
    QString text(const QString &storeName, qsizetype listedDates = -1) const;
};

/// Copies the graduate table of an old database into the current store.
///
/// The source table must be a graduate table: it needs at least one of the columns of `info`
/// other than the key, or it is refused before the store is touched. Columns are matched by
/// name ignoring case; a source column the store lacks is added to it, so nothing is dropped,
/// and named in the report. Date cells that hold no real date are stored as empty and listed.
/// The old keys are kept when the store's table is empty (so the order and numbers people know
/// survive); otherwise the store numbers the copied rows itself.
///
/// The copy runs in one transaction: either every row arrives or none does. A store file that
/// the copy created is removed again when it fails (the connection is closed for that), so a
/// failed copy leaves no store behind.
class InfoMigration
{
public:
    InfoMigration(const LegacySource &source, db::TDbConnection &target);

    /// The source table to copy; "info" unless the old file named it differently.
    void setSourceTable(const QString &table) { m_sourceTable = table; }

    /// Throws EDatabaseError on any failure, with the store unchanged.
    MigrationReport run();

private:
    QString findSourceTable() const;
    MigrationReport copy(const QString &sourceTable);

    const LegacySource &m_source;
    db::TDbConnection &m_target;
    QString m_sourceTable;
};

} // namespace tovren::migration
