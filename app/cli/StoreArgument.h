#pragma once

#include "app/db/ConnectionSpec.h"

#include <QString>
#include <optional>

namespace tovren::cli {

/// The store a reading command works on: --database, else the remembered one, else the
/// working folder's. Opening would create a missing SQLite store, so a mistyped name would
/// quietly read an empty table; a missing file is a UsageError instead.
db::ConnectionSpec existingStore(const std::optional<QString> &databaseOption);

} // namespace tovren::cli
