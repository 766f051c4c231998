#include "app/db/ConnectionSettings.h"

#include "report/platform/SettingsStore.h"

namespace tovren::db {

namespace {
const QString kSection = QStringLiteral("Database");
const QString kValue = QStringLiteral("Connection");
} // namespace

ConnectionSpec chooseConnection(const std::optional<QString> &commandLine,
                                platform::SettingsStore &settings)
{
    if (commandLine) {
        ConnectionSpec spec = ConnectionSpec::parse(*commandLine);
        settings.writeString(kSection, kValue, *commandLine);
        return spec;
    }
    return ConnectionSpec::parse(settings.readString(kSection, kValue));
}

} // namespace tovren::db
