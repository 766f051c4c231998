#include "app/migration/InfoMigration.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/InfoTable.h"
#include "app/migration/JetDatabase.h"

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <vector>

namespace tovren::migration {

InfoMigration::InfoMigration(const JetDatabase &source, db::TDbConnection &target)
    : m_source(source)
    , m_target(target)
    , m_sourceTable(QString::fromLatin1(db::InfoTable::kName))
{
}

qsizetype InfoMigration::run()
{
    const QString targetTable = QString::fromLatin1(db::InfoTable::kName);
    const QString keyColumn = QString::fromLatin1(db::InfoTable::kKeyColumn);
    QString sourceTable;
    for (const QString &name : m_source.tableNames()) {
        if (name.compare(m_sourceTable, Qt::CaseInsensitive) == 0)
            sourceTable = name;
    }
    if (sourceTable.isEmpty())
        throw db::EDatabaseError(QStringLiteral("旧数据库中没有表 %1").arg(m_sourceTable));

    m_target.open();
    const QList<JetDatabase::Column> sourceColumns = m_source.columns(sourceTable);

    qsizetype existingRows = 0;
    {
        QSqlQuery count(m_target.database());
        if (count.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(targetTable)) && count.next())
            existingRows = count.value(0).toLongLong();
    }

    m_target.beginTransaction();
    try {
        QSqlRecord targetRecord = m_target.database().record(targetTable);
        QStringList insertColumns;
        std::vector<int> sourceIndexes;
        for (int i = 0; i < sourceColumns.size(); ++i) {
            const JetDatabase::Column &column = sourceColumns[i];
            if (column.name.compare(keyColumn, Qt::CaseInsensitive) == 0 && existingRows > 0)
                continue;
            QString targetName;
            for (int t = 0; t < targetRecord.count(); ++t) {
                if (targetRecord.fieldName(t).compare(column.name, Qt::CaseInsensitive) == 0)
                    targetName = targetRecord.fieldName(t);
            }
            if (targetName.isEmpty()) {
                m_target.addTextColumn(targetTable, column.name);
                targetName = column.name;
            }
            insertColumns << m_target.quoteIdentifier(targetName);
            sourceIndexes.push_back(i);
        }
        if (insertColumns.isEmpty())
            throw db::EDatabaseError(QStringLiteral("表 %1 没有可复制的列").arg(sourceTable));

        QSqlQuery insert(m_target.database());
        const QString statement =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(targetTable, insertColumns.join(QStringLiteral(", ")),
                     QStringList(insertColumns.size(), QStringLiteral("?")).join(u','));
        if (!insert.prepare(statement))
            throw db::EDatabaseError(db::sqlErrorText(insert.lastError()));

        const qsizetype copied = m_source.readRows(sourceTable, [&](const QVariantList &values) {
            for (size_t k = 0; k < sourceIndexes.size(); ++k) {
                const int i = sourceIndexes[k];
                const QVariant &value = values[i];
                const bool keepNative = value.isNull() || value.typeId() == QMetaType::QByteArray
                                        || sourceColumns[i].name.compare(keyColumn,
                                                                         Qt::CaseInsensitive) == 0;
                // The store keeps text columns; numbers are written in their exact text form.
                insert.bindValue(static_cast<int>(k),
                                 keepNative ? value
                                 : value.typeId() == QMetaType::Double
                                     ? QVariant(QString::number(value.toDouble(), 'g',
                                                                QLocale::FloatingPointShortest))
                                     : QVariant(value.toString()));
            }
            if (!insert.exec())
                throw db::EDatabaseError(db::sqlErrorText(insert.lastError()));
        });
        if (m_target.isPostgreSql() && existingRows == 0) {
            // Keys were copied as they were, so the sequence must move past them.
            m_target.execute(QStringLiteral("SELECT setval(pg_get_serial_sequence('info', 'ID'), "
                                            "COALESCE((SELECT MAX(\"ID\") FROM info), 0) + 1, false)"));
        }
        m_target.commit();
        return copied;
    } catch (...) {
        m_target.rollback();
        throw;
    }
}

} // namespace tovren::migration
