#pragma once

#include <QString>

namespace tovren::platform {
class DialogProvider;
}
namespace tovren::db {
class TDbConnection;
}

namespace tovren::app {

/// At start in a folder that still holds the old Jet database and no store yet, offers to copy
/// its graduates into the new store. Returns true when rows were copied. A declined offer or a
/// failed copy leaves the new store as it was; a failure is shown, not thrown.
bool offerLegacyMigration(const QString &legacyFile, db::TDbConnection &connection,
                          platform::DialogProvider &dialogs);

} // namespace tovren::app
