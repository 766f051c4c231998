#include "app/reportbridge/DbQueryRecordSet.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/reportbridge/FieldValueConversion.h"

namespace tovren::app {

DbQueryRecordSet::DbQueryRecordSet(db::TDbQuery &query, const QString &name,
                                   engine::TqxComponent *owner)
    : engine::TqxRecordSet(name, owner)
    , m_query(&query)
{}

db::TDbQuery &DbQueryRecordSet::query() const
{
    if (!m_query)
        throw db::EDatabaseError(QStringLiteral("查询 %1 已不存在").arg(name()));
    return *m_query;
}

void DbQueryRecordSet::open()
{
    query().open();
}

void DbQueryRecordSet::close()
{
    if (m_query)
        m_query->close();
}

bool DbQueryRecordSet::isActive() const
{
    return m_query && m_query->isActive();
}

void DbQueryRecordSet::first()
{
    query().first();
}

void DbQueryRecordSet::next()
{
    query().next();
}

void DbQueryRecordSet::prior()
{
    query().prior();
}

bool DbQueryRecordSet::eof() const
{
    return !m_query || m_query->eof();
}

bool DbQueryRecordSet::bof() const
{
    return !m_query || m_query->bof();
}

qint64 DbQueryRecordSet::recordCount() const
{
    return m_query ? m_query->recordCount() : 0;
}

DbQueryRecordSet::Bookmark DbQueryRecordSet::bookmark() const
{
    return query().bookmark();
}

void DbQueryRecordSet::gotoBookmark(Bookmark mark)
{
    query().gotoBookmark(mark);
}

void DbQueryRecordSet::freeBookmark(Bookmark mark)
{
    if (m_query)
        m_query->freeBookmark(mark);
}

QStringList DbQueryRecordSet::fieldNames() const
{
    return m_query ? m_query->fieldNames() : QStringList();
}

int DbQueryRecordSet::fieldIndex(QStringView name) const
{
    return m_query ? m_query->fieldIndex(name) : -1;
}

engine::TqxFieldType DbQueryRecordSet::fieldType(int index) const
{
    return toReportFieldType(query().field(index).dataType());
}

bool DbQueryRecordSet::fieldIsNull(int index) const
{
    return query().field(index).isNull();
}

script::Variant DbQueryRecordSet::fieldValue(int index) const
{
    const db::TDbField &field = query().field(index);
    return toReportValue(field.value(), field.dataType());
}

QString DbQueryRecordSet::fieldDisplayText(int index) const
{
    return query().field(index).displayText();
}

QByteArray DbQueryRecordSet::fieldBytes(int index) const
{
    return query().field(index).asBytes();
}

} // namespace tovren::app
