#include "app/migration/InfoMigration.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/InfoTable.h"
#include "app/migration/LegacySource.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <vector>

namespace tovren::migration {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

/// The graduate columns of `info`, without the key every table tends to have.
QStringList graduateColumns()
{
    QStringList names;
    for (const db::InfoTable::Column &column : db::InfoTable::kColumns) {
        if (QLatin1String(column.name) != QLatin1String(db::InfoTable::kKeyColumn))
            names << QString::fromLatin1(column.name);
    }
    return names;
}

/// The reader gives real dates as "yyyy-MM-dd" or "yyyy-MM-dd hh:mm:ss"; anything else, such
/// as the 1900-01-00 that zero dates come out as, is not one.
bool isRealDate(const QString &text)
{
    if (text.size() == 10)
        return QDate::fromString(text, QStringLiteral("yyyy-MM-dd")).isValid();
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid();
}

void removeStoreFiles(const QString &path)
{
    for (const QString &suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

} // namespace

QString MigrationReport::text(const QString &storeName, qsizetype listedDates) const
{
    QStringList lines{
        QStringLiteral("已从表 %1 复制 %2 行到 %3").arg(sourceTable).arg(copied).arg(storeName)};
    if (!addedColumns.isEmpty())
        lines << QStringLiteral("数据库中原来没有的 %1 列已作为文本列加入: %2")
                     .arg(addedColumns.size())
                     .arg(addedColumns.join(QStringLiteral(", ")));
    if (!invalidDates.empty()) {
        lines << QStringLiteral("以下 %1 个日期无效, 已保存为空值:").arg(invalidDates.size());
        const qsizetype listed = listedDates < 0
                                     ? qsizetype(invalidDates.size())
                                     : std::min(listedDates, qsizetype(invalidDates.size()));
        for (qsizetype i = 0; i < listed; ++i) {
            const InvalidDate &date = invalidDates[size_t(i)];
            lines << QStringLiteral("  第 %1 行, %2: %3").arg(date.row).arg(date.column, date.text);
        }
        if (listed < qsizetype(invalidDates.size()))
            lines << QStringLiteral("  …… 另有 %1 个").arg(qsizetype(invalidDates.size()) - listed);
    }
    return lines.join(u'\n');
}

InfoMigration::InfoMigration(const LegacySource &source, db::TDbConnection &target)
    : m_source(source)
    , m_target(target)
    , m_sourceTable(QString::fromLatin1(db::InfoTable::kName))
{}

QString InfoMigration::findSourceTable() const
{
    const QStringList tables = m_source.tableNames();
    for (const QString &name : tables) {
        if (sameName(name, m_sourceTable))
            return name;
    }
    throw db::EDatabaseError(QStringLiteral("旧数据库中没有表 %1 (其中的表: %2)")
                                 .arg(m_sourceTable, tables.isEmpty()
                                                         ? QStringLiteral("无")
                                                         : tables.join(QStringLiteral(", "))));
}

MigrationReport InfoMigration::run()
{
    const QString sourceTable = findSourceTable();
    const QStringList expected = graduateColumns();
    const QList<LegacySource::Column> columns = m_source.columns(sourceTable);
    const bool isGraduateTable = std::any_of(columns.begin(), columns.end(), [&](const auto &c) {
        return std::any_of(expected.begin(), expected.end(),
                           [&](const QString &name) { return sameName(c.name, name); });
    });
    // Copying some other table would add its columns to info and give blank certificates.
    if (!isGraduateTable)
        throw db::EDatabaseError(
            QStringLiteral("表 %1 不是毕业生信息表: 它没有表 info 的任何一列, 没有复制任何数据。\n"
                           "表 info 的列是: %2")
                .arg(sourceTable, expected.join(QStringLiteral(", "))));

    const bool createsStore = m_target.spec().kind() == db::ConnectionSpec::Kind::Sqlite &&
                              !QFileInfo::exists(m_target.spec().sqlitePath());
    try {
        return copy(sourceTable);
    } catch (...) {
        if (createsStore) {
            m_target.close();
            removeStoreFiles(m_target.spec().sqlitePath());
        }
        throw;
    }
}

MigrationReport InfoMigration::copy(const QString &sourceTable)
{
    MigrationReport report;
    report.sourceTable = sourceTable;
    const QString targetTable = QString::fromLatin1(db::InfoTable::kName);
    const QString keyColumn = QString::fromLatin1(db::InfoTable::kKeyColumn);

    m_target.open();
    const QList<LegacySource::Column> sourceColumns = m_source.columns(sourceTable);

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
            const LegacySource::Column &column = sourceColumns[i];
            if (sameName(column.name, keyColumn) && existingRows > 0)
                continue;
            QString targetName;
            for (int t = 0; t < targetRecord.count(); ++t) {
                if (sameName(targetRecord.fieldName(t), column.name))
                    targetName = targetRecord.fieldName(t);
            }
            if (targetName.isEmpty()) {
                m_target.addTextColumn(targetTable, column.name);
                targetName = column.name;
                report.addedColumns << column.name;
            }
            insertColumns << m_target.quoteIdentifier(targetName);
            sourceIndexes.push_back(i);
        }

        QSqlQuery insert(m_target.database());
        const QString statement =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(targetTable, insertColumns.join(QStringLiteral(", ")),
                     QStringList(insertColumns.size(), QStringLiteral("?")).join(u','));
        if (!insert.prepare(statement))
            throw db::EDatabaseError(db::sqlErrorText(insert.lastError()));

        qsizetype row = 0;
        report.copied = m_source.readRows(sourceTable, [&](const QVariantList &values) {
            ++row;
            for (size_t k = 0; k < sourceIndexes.size(); ++k) {
                const int i = sourceIndexes[k];
                const LegacySource::Column &column = sourceColumns[i];
                const QVariant &value = values[i];
                QVariant stored;
                if (value.isNull() || value.typeId() == QMetaType::QByteArray ||
                    sameName(column.name, keyColumn)) {
                    stored = value;
                } else if (column.kind == LegacySource::ColumnKind::DateTime &&
                           !isRealDate(value.toString())) {
                    // Stored as text it would fail every later date conversion.
                    report.invalidDates.push_back({row, column.name, value.toString()});
                } else if (value.typeId() == QMetaType::Double) {
                    // The store keeps text columns; numbers are written in their exact text form.
                    stored = QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
                } else {
                    stored = value.toString();
                }
                insert.bindValue(static_cast<int>(k), stored);
            }
            if (!insert.exec())
                throw db::EDatabaseError(db::sqlErrorText(insert.lastError()));
        });
        if (m_target.isPostgreSql() && existingRows == 0) {
            // Keys were copied as they were, so the sequence must move past them.
            m_target.execute(
                QStringLiteral("SELECT setval(pg_get_serial_sequence('info', 'ID'), "
                               "COALESCE((SELECT MAX(\"ID\") FROM info), 0) + 1, false)"));
        }
        m_target.commit();
        return report;
    } catch (...) {
        m_target.rollback();
        throw;
    }
}

} // namespace tovren::migration
