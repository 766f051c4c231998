#include "app/db/DatabaseError.h"

#include <QSqlError>

namespace tovren::db {

QString sqlErrorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("未知的数据库错误");
    return text;
}

} // namespace tovren::db
