#include "app/import/BirthDate.h"

#include "app/db/ControlsSuspension.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/import/DateText.h"

namespace tovren::import {

namespace {

QDate requireDate(const QString &text, qsizetype recordNumber)
{
    const std::optional<QDate> date = textToDate(text.trimmed());
    if (!date)
        throw db::EDatabaseError(QStringLiteral("第 %1 条记录的出生日期 '%2' 不是有效的日期")
                                     .arg(recordNumber)
                                     .arg(text));
    return *date;
}

} // namespace

QString birthPartText(const QDate &date, BirthPart part, bool padded)
{
    const int value = part == BirthPart::Year ? date.year()
                      : part == BirthPart::Month ? date.month()
                                                 : date.day();
    if (padded && part != BirthPart::Year)
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    return QString::number(value);
}

bool birthPartOf(const QString &fieldName, BirthPart *part)
{
    static const std::pair<const char *, BirthPart> names[] = {
        {"BirthYear", BirthPart::Year}, {"BirthMonth", BirthPart::Month}, {"BirthDay", BirthPart::Day}};
    for (const auto &[name, which] : names) {
        if (fieldName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            *part = which;
            return true;
        }
    }
    return false;
}

qsizetype fillBirthDateParts(db::TDbQuery &query)
{
    query.close();
    query.clearSql();
    query.addSqlLine(QStringLiteral("SELECT * FROM info"));
    query.open();
    query.first();
    qsizetype filled = 0;
    {
        const db::ControlsSuspension detached(query);
        const db::BatchTransaction batch(query.connection());
        for (; !query.eof(); query.next()) {
            const QDate date = requireDate(query.fieldByName(QStringLiteral("Birth")).asString(),
                                           query.recNo() + 1);
            query.edit();
            query.fieldByName(QStringLiteral("BirthYear")).setAsString(birthPartText(date, BirthPart::Year, true));
            query.fieldByName(QStringLiteral("BirthMonth")).setAsString(birthPartText(date, BirthPart::Month, true));
            query.fieldByName(QStringLiteral("BirthDay")).setAsString(birthPartText(date, BirthPart::Day, true));
            query.post();
            ++filled;
        }
    }
    query.first();
    return filled;
}

QString describeBirthDate(db::TDbQuery &query)
{
    const QDate date = requireDate(query.fieldByName(QStringLiteral("Birth")).asString(), query.recNo() + 1);
    return birthPartText(date, BirthPart::Year, false) + u'\r' + birthPartText(date, BirthPart::Month, false)
           + u'\r' + birthPartText(date, BirthPart::Day, false);
}

} // namespace tovren::import
