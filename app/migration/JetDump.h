#pragma once

#include "app/migration/LegacySource.h"

#include <QByteArray>
#include <QDataStream>
#include <QList>
#include <QString>

class QIODevice;

namespace tovren::migration {

/// What the old database holds besides its rows: its version and each user table's columns.
struct JetCatalog
{
    struct Table
    {
        QString name;
        QList<LegacySource::Column> columns;
    };
    QString versionName;
    QList<Table> tables;

    /// Null when there is no such table.
    const Table *find(const QString &table) const;
};

/// Writes what the reader child read, for the program that started it: a catalog or a table's
/// rows, closed by an end record, or an error record with the reason in the person's words.
///
/// The end record is written last, so a child that dies half way leaves a dump without one,
/// and the parent never takes a part for the whole.
class JetDumpWriter
{
public:
    explicit JetDumpWriter(QIODevice &device);

    void writeCatalog(const JetCatalog &catalog);
    void writeRow(const QVariantList &values);
    void writeEnd(qint64 rowCount);
    void writeError(const QString &message);

private:
    QDataStream m_stream;
};

/// Reads a dump made by JetDumpWriter. Any fault of the dump itself (cut short, unknown record,
/// rows that do not add up) throws EJetDumpDamaged; an error record throws EJetError with the
/// child's message.
class JetDumpReader
{
public:
    explicit JetDumpReader(const QByteArray &dump);

    JetCatalog readCatalog();
    /// Hands each row to @p visit; returns their count.
    qsizetype readRows(const LegacySource::RowVisitor &visit);

private:
    quint8 nextTag();
    void readEnd(qint64 expectedRows);

    QByteArray m_dump;
    QDataStream m_stream;
};

/// A dump that is not whole: the child did not finish its work.
class EJetDumpDamaged : public std::exception
{
public:
    const char *what() const noexcept override { return "damaged reader output"; }
};

} // namespace tovren::migration
