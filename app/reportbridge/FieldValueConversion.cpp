#include "app/reportbridge/FieldValueConversion.h"

#include <QDateTime>

namespace tovren::app {

namespace {

constexpr double secondsPerDay = 86400.0;

double dayNumberOf(const QDateTime &moment)
{
    static const QDate dayZero(1899, 12, 30);
    const QTime time = moment.time();
    return static_cast<double>(dayZero.daysTo(moment.date())) +
           time.msecsSinceStartOfDay() / 1000.0 / secondsPerDay;
}

QDateTime dateTimeOf(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    const QString text = value.toString().trimmed();
    QDateTime parsed = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!parsed.isValid()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            parsed = QDateTime(date, QTime(0, 0));
    }
    return parsed;
}

} // namespace

engine::TqxFieldType toReportFieldType(db::FieldType type)
{
    using engine::TqxFieldType;
    switch (type) {
    case db::FieldType::String:
        return TqxFieldType::String;
    case db::FieldType::Integer:
        return TqxFieldType::Integer;
    case db::FieldType::LargeInt:
        return TqxFieldType::LargeInt;
    case db::FieldType::Float:
        return TqxFieldType::Float;
    case db::FieldType::Boolean:
        return TqxFieldType::Boolean;
    case db::FieldType::Date:
        return TqxFieldType::Date;
    case db::FieldType::DateTime:
        return TqxFieldType::DateTime;
    case db::FieldType::Blob:
        return TqxFieldType::Blob;
    case db::FieldType::Unknown:
        break;
    }
    return TqxFieldType::Unknown;
}

script::Variant toReportValue(const QVariant &value, db::FieldType type)
{
    using script::Variant;
    if (value.isNull())
        return Variant::null();
    switch (type) {
    case db::FieldType::Integer:
    case db::FieldType::LargeInt: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        return ok ? Variant::fromInteger(number) : Variant(value.toString());
    }
    case db::FieldType::Float: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok ? Variant(number) : Variant(value.toString());
    }
    case db::FieldType::Boolean:
        return Variant(value.toBool());
    case db::FieldType::Date:
    case db::FieldType::DateTime: {
        const QDateTime moment = dateTimeOf(value);
        return moment.isValid() ? Variant::fromDate(dayNumberOf(moment))
                                : Variant(value.toString());
    }
    case db::FieldType::Blob:
    case db::FieldType::String:
    case db::FieldType::Unknown:
        break;
    }
    return Variant(value.toString());
}

} // namespace tovren::app
