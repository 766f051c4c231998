#include "report/model/RecordStream.h"

#include "report/platform/TextCodec.h"

#include <QVarLengthArray>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace tovren::model {

namespace {

constexpr char kLineSeparator = 13;
constexpr int kMaxStoredLength = 0xFFFF;

QByteArray encodedForRecord(QStringView text)
{
    // A stored length is one word; longer texts are cut rather than corrupting the record.
    QByteArray bytes = platform::encode8Bit(text);
    bytes.truncate(kMaxStoredLength);
    return bytes;
}

} // namespace

void RecordWriter::patchInt(qint64 position, qint32 value)
{
    const qint32 le = qToLittleEndian(value);
    passOnGathered();
    if (m_bytes) {
        if (position >= 0 && position + qint64(sizeof le) <= m_bytes->size())
            std::memcpy(m_bytes->data() + position, &le, sizeof le);
        return;
    }
    const qint64 end = m_device->pos();
    m_device->seek(position);
    writeRaw(reinterpret_cast<const char *>(&le), sizeof le);
    m_device->seek(end);
}

void RecordWriter::passOnGathered()
{
    if (m_gathered == 0)
        return;
    const qsizetype used = m_bytes->size();
    m_bytes->resize(used + m_gathered);
    std::memcpy(m_bytes->data() + used, m_gather, m_gathered);
    m_gathered = 0;
}

void RecordWriter::writeThrough(const char *data, qint64 size)
{
    passOnGathered();
    if (!m_bytes) {
        m_device->write(data, size);
        return;
    }
    // Prepared pages are written a few bytes at a time, millions of times in a run: growing the
    // array and copying costs a fraction of its general insert.
    const qsizetype used = m_bytes->size();
    m_bytes->resize(used + size);
    std::memcpy(m_bytes->data() + used, data, size);
}

void RecordWriter::writeByte(quint8 value)
{
    const char byte = static_cast<char>(value);
    writeRaw(&byte, 1);
}

void RecordWriter::beginObjectRecord(quint8 kind)
{
    if (m_recordStarts)
        m_recordStarts->push_back(static_cast<quint32>(pos()));
    writeByte(kind);
}

void RecordWriter::writeWord(quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    writeRaw(reinterpret_cast<const char *>(&le), sizeof le);
}

void RecordWriter::writeInt(qint32 value)
{
    const qint32 le = qToLittleEndian(value);
    writeRaw(reinterpret_cast<const char *>(&le), sizeof le);
}

void RecordWriter::writeText(QStringView text)
{
    const qsizetype room = 2 + platform::encoded8BitBound(text.size());
    if (room > m_gatherLimit) {
        const QByteArray bytes = encodedForRecord(text);
        writeWord(static_cast<quint16>(bytes.size()));
        writeBytes(bytes);
        return;
    }
    // Encoded straight into the gathered bytes, the length written in front once known; the
    // room a page writer gathers is far below the longest length.
    if (room > m_gatherLimit - m_gathered)
        passOnGathered();
    char *const start = m_gather + m_gathered + 2;
    const char *const end = platform::encode8BitInto(text, start);
    const quint16 length = qToLittleEndian(static_cast<quint16>(end - start));
    std::memcpy(m_gather + m_gathered, &length, sizeof length);
    m_gathered += static_cast<int>(end - start) + 2;
}

void RecordWriter::writeStr(const QString &text)
{
    writeText(text);
    writeByte(0);
}

void RecordWriter::writeStrList(const QStringList &lines)
{
    const auto count = std::min<qsizetype>(lines.size(), kMaxStoredLength);
    writeWord(static_cast<quint16>(count));
    for (qsizetype i = 0; i < count; ++i) {
        writeText(lines.at(i));
        if (i + 1 < count)
            writeByte(kLineSeparator);
    }
    writeByte(0);
}

void RecordReader::requireLeft(qint64 count) const
{
    if (count < 0)
        throw ERecordFormat("记录中的长度为负数");
    // A corrupt length must not size an allocation: check it against what is left first.
    if ((!m_device || !m_device->isSequential()) && count > size() - pos())
        throw ERecordFormat("记录不完整, 数据提前结束");
}

void RecordReader::readInto(char *target, qint64 count)
{
    requireLeft(count);
    if (!m_device) {
        std::memcpy(target, m_bytes.data() + m_pos, count);
        m_pos += count;
    } else if (m_device->read(target, count) != count) {
        throw ERecordFormat("记录不完整, 数据提前结束");
    }
}

QByteArray RecordReader::readBytes(qint64 count)
{
    requireLeft(count);
    if (!m_device) {
        const QByteArray bytes(m_bytes.data() + m_pos, count);
        m_pos += count;
        return bytes;
    }
    const QByteArray bytes = m_device->read(count);
    if (bytes.size() != count)
        throw ERecordFormat("记录不完整, 数据提前结束");
    return bytes;
}

void RecordReader::seek(qint64 position)
{
    if (position < 0 || position > size())
        throw ERecordFormat("记录位置超出了数据范围");
    if (!m_device)
        m_pos = position;
    else if (!m_device->seek(position))
        throw ERecordFormat("记录位置超出了数据范围");
}

// Numbers and texts are read into the stack: pages hold hundreds of thousands of them, and a
// heap block for each made reading pages mostly a matter of the allocator.

quint8 RecordReader::readByte()
{
    if (!m_device) {
        if (m_pos >= m_bytes.size())
            throw ERecordFormat("记录不完整, 数据提前结束");
        return static_cast<quint8>(m_bytes[m_pos++]);
    }
    char value = 0;
    if (!m_device->getChar(&value))
        throw ERecordFormat("记录不完整, 数据提前结束");
    return static_cast<quint8>(value);
}

quint16 RecordReader::readWord()
{
    char bytes[2];
    readInto(bytes, sizeof bytes);
    return qFromLittleEndian<quint16>(bytes);
}

qint32 RecordReader::readInt()
{
    char bytes[4];
    readInto(bytes, sizeof bytes);
    return qFromLittleEndian<qint32>(bytes);
}

qint32 RecordReader::readExtent()
{
    return std::clamp(readInt(), -kMaxStoredExtent, kMaxStoredExtent);
}

QString RecordReader::readEncoded(quint16 length)
{
    QVarLengthArray<char, 256> bytes(length);
    readInto(bytes.data(), length);
    return platform::decode8Bit(QByteArrayView(bytes.data(), length));
}

QString RecordReader::readStr()
{
    if (m_version < 23)
        return readOldStr();
    const QString text = readEncoded(readWord());
    readByte();
    return text;
}

QStringList RecordReader::readStrList()
{
    if (m_version < 23)
        return readOldStrList();
    QStringList lines;
    if (readWord() == 0) {
        readByte();
        return lines;
    }
    // The count is not trusted: lines follow until a separator byte is 0.
    for (;;) {
        lines << readEncoded(readWord());
        if (readByte() == 0)
            break;
    }
    return lines;
}

QString RecordReader::readOldStr()
{
    QByteArray bytes;
    for (char c = static_cast<char>(readByte()); c != 0; c = static_cast<char>(readByte()))
        bytes.append(c);
    return platform::decode8Bit(bytes);
}

QStringList RecordReader::readOldStrList()
{
    QStringList lines;
    QByteArray piece;
    for (;;) {
        const char c = static_cast<char>(readByte());
        if (c == kLineSeparator || c == 0) {
            if (c == kLineSeparator || !piece.isEmpty())
                lines << platform::decode8Bit(piece);
            piece.clear();
            if (c == 0)
                break;
        } else {
            piece.append(c);
        }
    }
    return lines;
}

} // namespace tovren::model
