#include "app/ui/LegacyStoreOffer.h"

#include "app/AppInfo.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/migration/InfoMigration.h"
#include "app/migration/IsolatedJetDatabase.h"
#include "report/platform/DialogProvider.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace tovren::app {

namespace {

/// More lines would push the message box past the bottom of the screen.
constexpr qsizetype kListedInvalidDates = 20;

/// Looks into an existing store without changing it: true when it holds no table at all or an
/// empty info; false when it has graduates or cannot be read (the window reports that).
bool holdsNoGraduates(const QString &path)
{
    const QString name = QStringLiteral("tovren-legacy-probe");
    bool empty = false;
    {
        QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        probe.setDatabaseName(path);
        probe.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (probe.open()) {
            QSqlQuery query(probe);
            if (query.exec(QStringLiteral("SELECT 1 FROM info LIMIT 1")))
                empty = !query.next();
            else
                empty = query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) &&
                        query.next() && query.value(0).toLongLong() == 0;
        }
    }
    QSqlDatabase::removeDatabase(name);
    return empty;
}

} // namespace

bool legacyMigrationDue(const QString &legacyFile, const db::ConnectionSpec &store)
{
    if (!QFileInfo::exists(legacyFile) || store.kind() != db::ConnectionSpec::Kind::Sqlite)
        return false;
    const QFileInfo file(store.sqlitePath());
    return !file.exists() || (file.isFile() && holdsNoGraduates(file.absoluteFilePath()));
}

bool offerLegacyMigration(const QString &legacyFile, db::TDbConnection &connection,
                          platform::DialogProvider &dialogs)
{
    const QString title = QString::fromLatin1(kApplicationTitle);
    const QString storeName = connection.spec().displayName();
    const int answer = dialogs.messageBox(
        QStringLiteral("当前目录中有旧的数据库 %1, 而新的数据库中还没有记录:\n%2\n\n"
                       "是否把旧数据库中表 info 的全部记录复制到新的数据库?")
            .arg(QFileInfo(legacyFile).fileName(), storeName),
        title, platform::mb_YesNo | platform::mb_IconQuestion);
    if (answer != platform::mrYes)
        return false;
    try {
        const migration::IsolatedJetDatabase source(legacyFile);
        // A connection of its own: when the copy fails it is closed and a store file it made is
        // removed, while the window's connection stays as it was.
        db::TDbConnection target(connection.spec());
        migration::InfoMigration migration(source, target);
        const migration::MigrationReport report = migration.run();
        dialogs.messageBox(report.text(storeName, kListedInvalidDates), title,
                           platform::mb_Ok |
                               (report.invalidDates.empty() ? platform::mb_IconInformation
                                                            : platform::mb_IconWarning));
        return true;
    } catch (const std::exception &error) {
        dialogs.messageBox(
            QStringLiteral("复制旧数据库失败: %1").arg(QString::fromUtf8(error.what())), title,
            platform::mb_Ok | platform::mb_IconError);
        return false;
    }
}

} // namespace tovren::app
