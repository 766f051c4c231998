#include "app/db/DbField.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "report/platform/TextCodec.h"

#include <QDate>
#include <QDateTime>

namespace tovren::db {

TDbField::TDbField(TDbQuery &query, int index, QString name, FieldType type)
    : m_query(query)
    , m_index(index)
    , m_name(std::move(name))
    , m_type(type)
{
}

QVariant TDbField::value() const
{
    return m_query.bufferValue(m_index);
}

bool TDbField::isNull() const
{
    return m_query.bufferValueIsNull(m_index);
}

QString TDbField::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (v.typeId() == QMetaType::QByteArray)
        return platform::decode8Bit(v.toByteArray());
    return v.toString();
}

QString TDbField::displayText() const
{
    if (isBlob())
        return isNull() ? QString() : QStringLiteral("(BLOB)");
    return asString();
}

QVariant TDbField::convertText(const QString &text, FieldType type, const QString &fieldName)
{
    const QString trimmed = text.trimmed();
    const auto invalid = [&](const char *kind) {
        return EDatabaseError(QStringLiteral("'%1' 不是有效的%2 (字段 %3)")
                                  .arg(text, QString::fromUtf8(kind), fieldName));
    };
    if (type == FieldType::String || type == FieldType::Unknown)
        return text;
    if (trimmed.isEmpty())
        return {};
    bool ok = false;
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt: {
        const qlonglong value = trimmed.toLongLong(&ok);
        if (!ok)
            throw invalid("整数");
        return value;
    }
    case FieldType::Float: {
        const double value = trimmed.toDouble(&ok);
        if (!ok)
            throw invalid("数值");
        return value;
    }
    case FieldType::Boolean: {
        const QString lower = trimmed.toLower();
        if (lower == u"true" || lower == u"1" || lower == u"是")
            return true;
        if (lower == u"false" || lower == u"0" || lower == u"否")
            return false;
        throw invalid("布尔值");
    }
    case FieldType::Date: {
        const QDate date = QDate::fromString(trimmed, Qt::ISODate);
        if (!date.isValid())
            throw invalid("日期");
        return date;
    }
    case FieldType::DateTime: {
        const QDateTime dateTime = QDateTime::fromString(trimmed, Qt::ISODate);
        if (!dateTime.isValid())
            throw invalid("日期时间");
        return dateTime;
    }
    case FieldType::Blob: return platform::encode8Bit(text);
    default: return text;
    }
}

void TDbField::setAsString(const QString &text)
{
    m_query.setBufferValue(m_index, convertText(text, m_type, m_name));
}

void TDbField::setValue(const QVariant &value)
{
    m_query.setBufferValue(m_index, value);
}

QByteArray TDbField::asBytes() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return platform::encode8Bit(v.toString());
}

} // namespace tovren::db
