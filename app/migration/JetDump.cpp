#include "app/migration/JetDump.h"

#include "app/migration/JetDatabase.h"

#include <QIODevice>

namespace tovren::migration {

namespace {

constexpr quint32 kMagic = 0x544A4431; // "TJD1"
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

enum Tag : quint8 { CatalogTag = 1, RowTag = 2, EndTag = 3, ErrorTag = 4 };

} // namespace

const JetCatalog::Table *JetCatalog::find(const QString &table) const
{
    for (const Table &candidate : tables) {
        if (candidate.name == table)
            return &candidate;
    }
    return nullptr;
}

JetDumpWriter::JetDumpWriter(QIODevice &device)
    : m_stream(&device)
{
    m_stream.setVersion(kStreamVersion);
    m_stream << kMagic;
}

void JetDumpWriter::writeCatalog(const JetCatalog &catalog)
{
    m_stream << quint8(CatalogTag) << catalog.versionName << quint32(catalog.tables.size());
    for (const JetCatalog::Table &table : catalog.tables) {
        m_stream << table.name << quint32(table.columns.size());
        for (const LegacySource::Column &column : table.columns)
            m_stream << column.name << quint8(column.kind);
    }
    writeEnd(0);
}

void JetDumpWriter::writeRow(const QVariantList &values)
{
    m_stream << quint8(RowTag) << values;
}

void JetDumpWriter::writeEnd(qint64 rowCount)
{
    m_stream << quint8(EndTag) << rowCount;
}

void JetDumpWriter::writeError(const QString &message)
{
    m_stream << quint8(ErrorTag) << message;
}

JetDumpReader::JetDumpReader(const QByteArray &dump)
    : m_dump(dump)
    , m_stream(m_dump)
{
    m_stream.setVersion(kStreamVersion);
    quint32 magic = 0;
    m_stream >> magic;
    if (magic != kMagic)
        throw EJetDumpDamaged();
}

quint8 JetDumpReader::nextTag()
{
    quint8 tag = 0;
    m_stream >> tag;
    if (m_stream.status() != QDataStream::Ok)
        throw EJetDumpDamaged();
    if (tag == ErrorTag) {
        QString message;
        m_stream >> message;
        if (m_stream.status() != QDataStream::Ok)
            throw EJetDumpDamaged();
        throw EJetError(message);
    }
    return tag;
}

void JetDumpReader::readEnd(qint64 expectedRows)
{
    qint64 rows = -1;
    m_stream >> rows;
    if (m_stream.status() != QDataStream::Ok || rows != expectedRows || !m_stream.atEnd())
        throw EJetDumpDamaged();
}

JetCatalog JetDumpReader::readCatalog()
{
    if (nextTag() != CatalogTag)
        throw EJetDumpDamaged();
    JetCatalog catalog;
    quint32 tableCount = 0;
    m_stream >> catalog.versionName >> tableCount;
    for (quint32 t = 0; t < tableCount && m_stream.status() == QDataStream::Ok; ++t) {
        JetCatalog::Table table;
        quint32 columnCount = 0;
        m_stream >> table.name >> columnCount;
        for (quint32 c = 0; c < columnCount && m_stream.status() == QDataStream::Ok; ++c) {
            LegacySource::Column column;
            quint8 kind = 0;
            m_stream >> column.name >> kind;
            if (kind > quint8(LegacySource::ColumnKind::Other))
                throw EJetDumpDamaged();
            column.kind = LegacySource::ColumnKind(kind);
            table.columns.append(column);
        }
        catalog.tables.append(table);
    }
    if (m_stream.status() != QDataStream::Ok || nextTag() != EndTag)
        throw EJetDumpDamaged();
    readEnd(0);
    return catalog;
}

qsizetype JetDumpReader::readRows(const LegacySource::RowVisitor &visit)
{
    qsizetype count = 0;
    quint8 tag = nextTag();
    for (; tag == RowTag; tag = nextTag()) {
        QVariantList values;
        m_stream >> values;
        if (m_stream.status() != QDataStream::Ok)
            throw EJetDumpDamaged();
        visit(values);
        ++count;
    }
    if (tag != EndTag)
        throw EJetDumpDamaged();
    readEnd(count);
    return count;
}

} // namespace tovren::migration
