#pragma once

#include "app/db/ConnectionSpec.h"

#include <optional>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::db {

/// The store the program works on: the one named on the command line, for that run; else the
/// one the clerk chose in the window; else the default SQLite file in the working directory.
ConnectionSpec chooseConnection(const std::optional<QString> &commandLine,
                                const platform::SettingsStore &settings);

/// Keeps @p spec, which the clerk chose in the window and which has opened, as the store of later
/// starts; a relative file name is kept as the absolute path it named. A store named on the
/// command line is never kept, so a failed or one-off connection cannot follow later starts.
void rememberConnection(const ConnectionSpec &spec, platform::SettingsStore &settings);

} // namespace tovren::db
