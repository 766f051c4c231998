#include "app/db/ConnectionSettings.h"

#include "report/platform/SettingsStore.h"

namespace tovren::db {

namespace {
const QString kSection = QStringLiteral("Database");
// Earlier versions kept every store named on the command line under "Connection", failed ones
// included; only a choice made in the window is kept now, under its own name.
const QString kValue = QStringLiteral("ChosenConnection");
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
