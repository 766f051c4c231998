#include "app/import/ZipArchive.h"

#include "app/import/SheetData.h"

#include <cstring>
#include <zlib.h>

namespace tovren::import {

namespace {

constexpr quint32 kEndOfCentralDirectory = 0x06054b50;
constexpr quint32 kCentralHeader = 0x02014b50;
constexpr quint32 kLocalHeader = 0x04034b50;
constexpr qsizetype kEndRecordSize = 22;
// A workbook member larger than this is not a real spreadsheet; refuse rather than exhaust memory.
constexpr quint32 kMaxMemberSize = 256u * 1024u * 1024u;
// Deflate cannot expand data more than about 1032-fold, so a larger claim is damage; checking it
// keeps a damaged size field from sizing an allocation.
constexpr quint64 kMaxDeflateRatio = 1032;

quint16 u16(const QByteArray &data, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
    return quint16(p[0] | (p[1] << 8));
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

EWorkbookError damaged(const QString &detail)
{
    return EWorkbookError(QStringLiteral("压缩包已损坏: %1").arg(detail));
}

} // namespace

ZipArchive::ZipArchive(QByteArray data)
    : m_data(std::move(data))
{
    const qsizetype size = m_data.size();
    if (size < kEndRecordSize)
        throw damaged(QStringLiteral("文件太短"));
    // The end record sits in the last 64 KiB + 22 bytes, after an optional comment.
    qsizetype end = -1;
    for (qsizetype at = size - kEndRecordSize; at >= 0 && at >= size - kEndRecordSize - 65535;
         --at) {
        if (u32(m_data, at) == kEndOfCentralDirectory) {
            end = at;
            break;
        }
    }
    if (end < 0)
        throw damaged(QStringLiteral("找不到目录"));
    const quint16 count = u16(m_data, end + 10);
    const quint32 directorySize = u32(m_data, end + 12);
    const quint32 directoryOffset = u32(m_data, end + 16);
    if (qsizetype(directoryOffset) + qsizetype(directorySize) > end)
        throw damaged(QStringLiteral("目录位置无效"));

    qsizetype at = directoryOffset;
    for (quint16 i = 0; i < count; ++i) {
        if (at + 46 > end || u32(m_data, at) != kCentralHeader)
            throw damaged(QStringLiteral("目录项无效"));
        Entry entry{u16(m_data, at + 10), u32(m_data, at + 16), u32(m_data, at + 20),
                    u32(m_data, at + 24), u32(m_data, at + 42)};
        const quint16 nameLength = u16(m_data, at + 28);
        const quint16 extraLength = u16(m_data, at + 30);
        const quint16 commentLength = u16(m_data, at + 32);
        if (at + 46 + nameLength > end)
            throw damaged(QStringLiteral("目录项无效"));
        const QString name = QString::fromUtf8(m_data.constData() + at + 46, nameLength);
        m_entries.insert(name, entry);
        at += 46 + nameLength + extraLength + commentLength;
    }
}

QByteArray ZipArchive::read(const QString &name) const
{
    const auto found = m_entries.constFind(name);
    if (found == m_entries.cend())
        throw EWorkbookError(QStringLiteral("工作簿中缺少 %1").arg(name));
    const Entry &entry = *found;
    const qsizetype local = entry.localHeaderOffset;
    if (local + 30 > m_data.size() || u32(m_data, local) != kLocalHeader)
        throw damaged(name);
    const qsizetype start = local + 30 + u16(m_data, local + 26) + u16(m_data, local + 28);
    if (start + qsizetype(entry.compressedSize) > m_data.size() ||
        entry.uncompressedSize > kMaxMemberSize)
        throw damaged(name);
    const bool sizesFit =
        entry.method == 0
            ? entry.uncompressedSize == entry.compressedSize
            : entry.uncompressedSize <= quint64(entry.compressedSize) * kMaxDeflateRatio + 64;
    if (!sizesFit)
        throw damaged(name);
    const char *compressed = m_data.constData() + start;

    QByteArray out;
    if (entry.method == 0) {
        out = QByteArray(compressed, entry.compressedSize);
    } else if (entry.method == 8) {
        out.resize(entry.uncompressedSize);
        z_stream stream;
        std::memset(&stream, 0, sizeof stream);
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            throw damaged(name);
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed));
        stream.avail_in = entry.compressedSize;
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = entry.uncompressedSize;
        const int result = inflate(&stream, Z_FINISH);
        const uLong produced = stream.total_out;
        inflateEnd(&stream);
        if (result != Z_STREAM_END || produced != entry.uncompressedSize)
            throw damaged(name);
    } else {
        throw EWorkbookError(
            QStringLiteral("%1 使用了不支持的压缩方式 %2").arg(name).arg(entry.method));
    }
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef *>(out.constData()), uInt(out.size()));
    if (crc != entry.crc)
        throw damaged(name);
    return out;
}

} // namespace tovren::import
