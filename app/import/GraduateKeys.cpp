#include "app/import/GraduateKeys.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/InfoTable.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tovren::import {

namespace {

QString studentKey(const QString &number)
{
    return number.trimmed();
}

QString cardKey(const QString &number)
{
    return number.trimmed().toUpper();
}

/// The table's own spelling of @p column, or empty when it has no such column.
QString columnIn(const QSqlRecord &record, const char *column)
{
    for (int i = 0; i < record.count(); ++i) {
        if (record.fieldName(i).compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return record.fieldName(i);
    }
    return {};
}

} // namespace

GraduateKeys GraduateKeys::read(db::TDbConnection &connection, const QString &table)
{
    GraduateKeys keys;
    const QSqlRecord record = connection.database().record(table);
    const QString key = columnIn(record, db::InfoTable::kKeyColumn);
    const QString student = columnIn(record, "StudID");
    const QString card = columnIn(record, "CardID");
    if (key.isEmpty() || (student.isEmpty() && card.isEmpty()))
        return keys;

    const auto selected = [&](const QString &column) {
        return column.isEmpty() ? QStringLiteral("NULL") : connection.quoteIdentifier(column);
    };
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    const QString statement = QStringLiteral("SELECT %1, %2, %3 FROM %4 ORDER BY %1")
                                  .arg(connection.quoteIdentifier(key), selected(student),
                                       selected(card), connection.quoteIdentifier(table));
    if (!query.exec(statement))
        throw db::EDatabaseError(QStringLiteral("无法读取表 %1 中已有的学号和身份证: %2")
                                     .arg(table, db::sqlErrorText(query.lastError())));
    while (query.next())
        keys.add(query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString());
    return keys;
}

std::optional<qlonglong> GraduateKeys::find(const QString &studentNumber,
                                            const QString &cardNumber) const
{
    const QString student = studentKey(studentNumber);
    if (!student.isEmpty()) {
        const auto found = m_byStudentNumber.constFind(student);
        if (found != m_byStudentNumber.cend())
            return *found;
    }
    const QString card = cardKey(cardNumber);
    if (!card.isEmpty()) {
        const auto found = m_byCardNumber.constFind(card);
        if (found != m_byCardNumber.cend())
            return *found;
    }
    return std::nullopt;
}

void GraduateKeys::add(qlonglong key, const QString &studentNumber, const QString &cardNumber)
{
    const QString student = studentKey(studentNumber);
    if (!student.isEmpty() && !m_byStudentNumber.contains(student))
        m_byStudentNumber.insert(student, key);
    const QString card = cardKey(cardNumber);
    if (!card.isEmpty() && !m_byCardNumber.contains(card))
        m_byCardNumber.insert(card, key);
}

} // namespace tovren::import
