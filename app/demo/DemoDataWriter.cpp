#include "app/demo/DemoDataWriter.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/InfoTable.h"
#include "app/demo/GraduateGenerator.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tovren::demo {

qsizetype writeDemoGraduates(db::TDbConnection &connection, qsizetype count, quint32 seed)
{
    connection.open();
    if (count <= 0)
        return 0;
    QStringList columns;
    for (const QString &name : GraduateGenerator::columnNames())
        columns << connection.quoteIdentifier(name);
    const QString statement =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(QString::fromLatin1(db::InfoTable::kName), columns.join(QStringLiteral(", ")),
                 QStringList(columns.size(), QStringLiteral("?")).join(u','));

    GraduateGenerator generator(seed);
    connection.beginTransaction();
    try {
        QSqlQuery insert(connection.database());
        if (!insert.prepare(statement))
            throw db::EDatabaseError(db::sqlErrorText(insert.lastError()));
        for (qsizetype row = 0; row < count; ++row) {
            const QStringList values = generator.next();
            for (int i = 0; i < values.size(); ++i)
                insert.bindValue(i, values[i].isEmpty() ? QVariant() : QVariant(values[i]));
            if (!insert.exec())
                throw db::EDatabaseError(db::sqlErrorText(insert.lastError()));
        }
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
    return count;
}

} // namespace tovren::demo
