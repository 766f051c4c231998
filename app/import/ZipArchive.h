#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tovren::import {

/// Reads members of a zip archive held in memory (an .xlsx workbook is one).
///
/// Only what workbooks use is supported: stored and deflated members without encryption.
/// Every length and offset is checked against the archive, so a damaged file gives an
/// EWorkbookError instead of a read outside the buffer.
class ZipArchive
{
public:
    /// Throws EWorkbookError when @p data is not a readable zip archive.
    explicit ZipArchive(QByteArray data);

    bool contains(const QString &name) const { return m_entries.contains(name); }
    /// Throws EWorkbookError when the member is missing or damaged.
    QByteArray read(const QString &name) const;

private:
    struct Entry
    {
        quint16 method;
        quint32 crc;
        quint32 compressedSize;
        quint32 uncompressedSize;
        quint32 localHeaderOffset;
    };

    QByteArray m_data;
    QHash<QString, Entry> m_entries;
};

} // namespace tovren::import
