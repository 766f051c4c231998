#pragma once

#include "app/db/ConnectionSpec.h"

#include <optional>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::db {

/// The store the program works on: the one named on the command line, else the one kept in the
/// settings, else the default SQLite file in the working directory.
ConnectionSpec chooseConnection(const std::optional<QString> &commandLine,
                                const platform::SettingsStore &settings);

/// Keeps @p spec as the store of the next start of the window; a relative file name is kept as
/// the absolute path it named, so a later start in another folder finds the same store.
void rememberConnection(const ConnectionSpec &spec, platform::SettingsStore &settings);

} // namespace tovren::db
