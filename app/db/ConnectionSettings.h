#pragma once

#include "app/db/ConnectionSpec.h"

#include <optional>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::db {

/// The store the program works on: the one named on the command line, else the one kept in the
/// settings, else the default SQLite file in the working directory. A store named on the command
/// line is remembered for the next start.
ConnectionSpec chooseConnection(const std::optional<QString> &commandLine,
                                platform::SettingsStore &settings);

} // namespace tovren::db
