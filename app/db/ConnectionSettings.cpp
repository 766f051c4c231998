#include "app/db/ConnectionSettings.h"

#include "report/platform/SettingsStore.h"

namespace tovren::db {

namespace {
const QString kSection = QStringLiteral("Database");
const QString kValue = QStringLiteral("Connection");
} // namespace

ConnectionSpec chooseConnection(const std::optional<QString> &commandLine,
                                const platform::SettingsStore &settings)
{
    if (commandLine)
        return ConnectionSpec::parse(*commandLine);
    return ConnectionSpec::parse(settings.readString(kSection, kValue));
}

void rememberConnection(const ConnectionSpec &spec, platform::SettingsStore &settings)
{
    settings.writeString(kSection, kValue, spec.toText());
}

} // namespace tovren::db
