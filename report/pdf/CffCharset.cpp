#include "report/pdf/CffCharset.h"

#include <QCoreApplication>

namespace tovren::pdf {

namespace {

/// A bounds-checked reader over the table; any read past its end makes it fail for good.
class CffReader
{
public:
    explicit CffReader(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    bool failed() const { return m_failed; }
    qsizetype size() const { return m_bytes.size(); }

    quint32 unsignedAt(qsizetype offset, int byteCount)
    {
        if (offset < 0 || byteCount < 1 || byteCount > 4 || offset > m_bytes.size() - byteCount) {
            m_failed = true;
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < byteCount; ++i)
            value = value << 8 | quint8(m_bytes[offset + i]);
        return value;
    }
    quint8 byteAt(qsizetype offset) { return quint8(unsignedAt(offset, 1)); }
    quint16 wordAt(qsizetype offset) { return quint16(unsignedAt(offset, 2)); }

private:
    QByteArrayView m_bytes;
    bool m_failed = false;
};

/// One INDEX structure: a count, an offset array and the objects it points into.
struct CffIndex
{
    quint32 count = 0;
    qsizetype end = 0; // first byte after the INDEX
    qsizetype offsetsAt = 0;
    int offsetSize = 0;

    static CffIndex at(CffReader &reader, qsizetype offset)
    {
        CffIndex index;
        index.count = reader.wordAt(offset);
        if (index.count == 0) {
            index.end = offset + 2;
            return index;
        }
        index.offsetSize = reader.byteAt(offset + 2);
        index.offsetsAt = offset + 3;
        // Offsets count from the byte before the object data.
        const qsizetype dataBase =
            index.offsetsAt + qsizetype(index.count + 1) * index.offsetSize - 1;
        index.end = dataBase +
                    reader.unsignedAt(index.offsetsAt + qsizetype(index.count) * index.offsetSize,
                                      index.offsetSize);
        if (index.end > reader.size())
            reader.unsignedAt(reader.size(), 1); // marks the reader failed
        return index;
    }

    /// Start and end of object @p item, or an empty range when the offsets are inconsistent.
    std::pair<qsizetype, qsizetype> object(CffReader &reader, quint32 item) const
    {
        if (item >= count)
            return {0, 0};
        const qsizetype dataBase = offsetsAt + qsizetype(count + 1) * offsetSize - 1;
        const qsizetype start =
            dataBase + reader.unsignedAt(offsetsAt + qsizetype(item) * offsetSize, offsetSize);
        const qsizetype stop =
            dataBase + reader.unsignedAt(offsetsAt + qsizetype(item + 1) * offsetSize, offsetSize);
        if (start > stop || stop > end)
            return {0, 0};
        return {start, stop};
    }
};

struct TopDict
{
    bool cidKeyed = false;
    qint64 charsetOffset = 0; // 0..2 name the predefined charsets
    qint64 charStringsOffset = -1;
};

TopDict readTopDict(CffReader &reader, qsizetype start, qsizetype stop)
{
    TopDict dict;
    qint64 lastOperand = 0;
    for (qsizetype at = start; at < stop && !reader.failed();) {
        const quint8 b0 = reader.byteAt(at++);
        if (b0 >= 32 && b0 <= 246) {
            lastOperand = qint64(b0) - 139;
        } else if (b0 >= 247 && b0 <= 250) {
            lastOperand = (qint64(b0) - 247) * 256 + reader.byteAt(at++) + 108;
        } else if (b0 >= 251 && b0 <= 254) {
            lastOperand = -(qint64(b0) - 251) * 256 - reader.byteAt(at++) - 108;
        } else if (b0 == 28) {
            lastOperand = qint16(reader.wordAt(at));
            at += 2;
        } else if (b0 == 29) {
            lastOperand = qint32(reader.unsignedAt(at, 4));
            at += 4;
        } else if (b0 == 30) {
            // A real number: nibbles up to the end nibble 0xf. No offset is ever real.
            for (;;) {
                const quint8 pair = reader.byteAt(at++);
                if (reader.failed() || (pair & 0x0f) == 0x0f || (pair >> 4) == 0x0f)
                    break;
            }
            lastOperand = 0;
        } else if (b0 == 12) {
            if (reader.byteAt(at++) == 30)
                dict.cidKeyed = true;
        } else if (b0 == 15) {
            dict.charsetOffset = lastOperand;
        } else if (b0 == 17) {
            dict.charStringsOffset = lastOperand;
        }
    }
    return dict;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("tovren::pdf::CffCharset", text);
}

} // namespace

std::optional<CffCharset> CffCharset::read(QByteArrayView table, QString *error)
{
    CffReader reader(table);
    const auto refuse = [error](const QString &why) -> std::optional<CffCharset> {
        if (error)
            *error = why;
        return std::nullopt;
    };

    if (reader.byteAt(0) != 1)
        return refuse(tr("CFF 表不是第 1 版或已损坏"));
    const CffIndex names = CffIndex::at(reader, reader.byteAt(2));
    const CffIndex topDicts = CffIndex::at(reader, names.end);
    if (reader.failed() || topDicts.count == 0)
        return refuse(tr("CFF 表的字体目录已损坏"));
    const auto [dictStart, dictStop] = topDicts.object(reader, 0);
    const TopDict dict = readTopDict(reader, dictStart, dictStop);
    if (reader.failed() || dict.charStringsOffset <= 0 || dict.charStringsOffset >= table.size())
        return refuse(tr("CFF 表的字体目录已损坏"));

    const CffIndex charStrings = CffIndex::at(reader, qsizetype(dict.charStringsOffset));
    if (reader.failed() || charStrings.count == 0)
        return refuse(tr("CFF 表的字形数据已损坏"));

    CffCharset charset;
    charset.m_glyphCount = int(charStrings.count);
    charset.m_cidKeyed = dict.cidKeyed;
    if (!dict.cidKeyed)
        return charset;

    // A CID-keyed font always has a charset of its own; the predefined ones hold glyph names.
    if (dict.charsetOffset <= 2 || dict.charsetOffset >= table.size())
        return refuse(tr("CFF 表的字符集已损坏"));
    std::vector<quint16> &cids = charset.m_cidByGlyph;
    cids.assign(charStrings.count, 0); // glyph 0 is .notdef, CID 0, and not listed
    qsizetype at = qsizetype(dict.charsetOffset);
    const quint8 format = reader.byteAt(at++);
    quint32 glyph = 1;
    if (format == 0) {
        for (; glyph < charStrings.count && !reader.failed(); ++glyph, at += 2)
            cids[glyph] = reader.wordAt(at);
    } else if (format == 1 || format == 2) {
        const int leftSize = format == 1 ? 1 : 2;
        while (glyph < charStrings.count && !reader.failed()) {
            const quint32 first = reader.wordAt(at);
            const quint32 left = reader.unsignedAt(at + 2, leftSize);
            at += 2 + leftSize;
            for (quint32 i = 0; i <= left && glyph < charStrings.count; ++i, ++glyph)
                cids[glyph] = quint16(first + i);
        }
    } else {
        return refuse(tr("CFF 表的字符集格式 %1 未知").arg(format));
    }
    if (reader.failed())
        return refuse(tr("CFF 表的字符集已损坏"));
    return charset;
}

} // namespace tovren::pdf
