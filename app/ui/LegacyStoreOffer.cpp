#include "app/ui/LegacyStoreOffer.h"

#include "app/AppInfo.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/migration/InfoMigration.h"
#include "app/migration/JetDatabase.h"
#include "report/platform/DialogProvider.h"

#include <QFileInfo>

namespace tovren::app {

bool offerLegacyMigration(const QString &legacyFile, db::TDbConnection &connection,
                          platform::DialogProvider &dialogs)
{
    const QString title = QString::fromLatin1(kApplicationTitle);
    const int answer = dialogs.messageBox(
        QStringLiteral("当前目录中有旧的数据库 %1, 还没有新的数据库。\n"
                       "是否把其中表 info 的全部记录复制到新的数据库 %2?")
            .arg(QFileInfo(legacyFile).fileName(), connection.spec().displayName()),
        title, platform::mb_YesNo | platform::mb_IconQuestion);
    if (answer != platform::mrYes)
        return false;
    try {
        const migration::JetDatabase source(legacyFile);
        migration::InfoMigration migration(source, connection);
        const qsizetype copied = migration.run();
        dialogs.messageBox(QStringLiteral("已复制 %1 条记录。").arg(copied), title,
                           platform::mb_Ok | platform::mb_IconInformation);
        return true;
    } catch (const std::exception &error) {
        dialogs.messageBox(QStringLiteral("复制旧数据库失败: %1").arg(QString::fromUtf8(error.what())),
                           title, platform::mb_Ok | platform::mb_IconError);
        return false;
    }
}

} // namespace tovren::app
