#pragma once

#include <QString>

namespace tovren::platform {
class DialogProvider;
}
namespace tovren::db {
class ConnectionSpec;
class TDbConnection;
} // namespace tovren::db

namespace tovren::app {

/// Whether a start should offer to copy the old Jet database @p legacyFile into @p store: the
/// old file is there and the store is a SQLite file that does not exist yet or holds no
/// graduates. So a declined or failed copy is offered again at the next start, while a store
/// in use is never touched.
bool legacyMigrationDue(const QString &legacyFile, const db::ConnectionSpec &store);

/// Offers to copy the graduates of @p legacyFile into the store of @p connection, and shows
/// what the copy did: rows copied, columns added, invalid dates left empty. Returns true when
/// the copy was made. A declined offer changes nothing; a failed copy is shown, not thrown, and
/// leaves no store file behind that was not there before.
bool offerLegacyMigration(const QString &legacyFile, db::TDbConnection &connection,
                          platform::DialogProvider &dialogs);

} // namespace tovren::app
