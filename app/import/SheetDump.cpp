#include "app/import/SheetDump.h"

#include <QIODevice>

namespace tovren::import {

namespace {

constexpr quint32 kMagic = 0x54534431; // "TSD1"
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

enum Tag : quint8 { CellTag = 1, EndTag = 2, ErrorTag = 3 };

} // namespace

SheetDumpWriter::SheetDumpWriter(QIODevice &device)
    : m_stream(&device)
{
    m_stream.setVersion(kStreamVersion);
    m_stream << kMagic;
}

void SheetDumpWriter::writeSheet(const SheetData &sheet)
{
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        for (const int column : sheet.usedColumns(row))
            m_stream << quint8(CellTag) << qint32(row) << qint32(column)
                     << sheet.cellText(row, column);
    }
    m_stream << quint8(EndTag) << qint64(sheet.storedCellCount());
}

void SheetDumpWriter::writeError(const QString &message)
{
    m_stream << quint8(ErrorTag) << message;
}

SheetData readSheetDump(const QByteArray &dump)
{
    QDataStream stream(dump);
    stream.setVersion(kStreamVersion);
    quint32 magic = 0;
    stream >> magic;
    if (magic != kMagic)
        throw ESheetDumpDamaged();
    SheetData::Builder builder;
    qint64 cells = 0;
    for (;;) {
        quint8 tag = 0;
        stream >> tag;
        if (stream.status() != QDataStream::Ok)
            throw ESheetDumpDamaged();
        if (tag == CellTag) {
            qint32 row = 0;
            qint32 column = 0;
            QString text;
            stream >> row >> column >> text;
            if (stream.status() != QDataStream::Ok || row < 1 || column < 1 || text.isEmpty())
                throw ESheetDumpDamaged();
            builder.set(row, column, std::move(text));
            ++cells;
        } else if (tag == ErrorTag) {
            QString message;
            stream >> message;
            if (stream.status() != QDataStream::Ok)
                throw ESheetDumpDamaged();
            throw EWorkbookError(message);
        } else if (tag == EndTag) {
            qint64 count = -1;
            stream >> count;
            if (stream.status() != QDataStream::Ok || count != cells || !stream.atEnd())
                throw ESheetDumpDamaged();
            return builder.build();
        } else {
            throw ESheetDumpDamaged();
        }
    }
}

} // namespace tovren::import
