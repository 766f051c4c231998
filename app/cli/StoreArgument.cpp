#include "app/cli/StoreArgument.h"

#include "app/AppInfo.h"
#include "app/cli/Arguments.h"
#include "app/db/ConnectionSettings.h"
#include "report/platform/SettingsStore.h"

#include <QFileInfo>

namespace tovren::cli {

db::ConnectionSpec existingStore(const std::optional<QString> &databaseOption)
{
    platform::SettingsStore settings(QString::fromLatin1(app::kApplicationTitle));
    db::ConnectionSpec spec = db::chooseConnection(databaseOption, settings);
    if (spec.kind() == db::ConnectionSpec::Kind::Sqlite && !QFileInfo::exists(spec.sqlitePath()))
        throw UsageError(QStringLiteral("找不到数据库 %1").arg(spec.displayName()));
    return spec;
}

} // namespace tovren::cli
