#pragma once

#include <QIODevice>
#include <QStringList>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace tovren::model {

/// A stored record that ends early or holds an impossible value.
class ERecordFormat : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// The stream version written by this program; readers accept 21 to 25.
inline constexpr int kCurrentStreamVersion = 25;

/// The largest position, size or gap a stored record may hold, in design pixels or tenths of a
/// millimetre: about a hundred metres, far beyond any paper. A larger value can only be damage;
/// it is read as this limit, so that the sums and scalings of positions stay within 32 bits.
inline constexpr qint32 kMaxStoredExtent = 1'000'000;

/// Writes the primitives of templates and prepared pages: little-endian numbers, 16-bit
/// booleans written as -1, and texts in the stored 8-bit code page.
///
/// Writes to a device, or appends straight to a byte array: prepared pages are written a few
/// bytes at a time, millions of times in a run, where a device's bookkeeping would cost more than
/// the bytes. A page writer goes further and gathers the bytes of a record in itself.
class RecordWriter
{
public:
    explicit RecordWriter(QIODevice &device)
        : m_device(&device)
    {}
    explicit RecordWriter(QByteArray &bytes)
        : m_bytes(&bytes)
    {}
    /// Appends object records to a prepared page's stream @p bytes. The bytes gather in the
    /// writer and reach @p bytes at latest when it ends, so the stream must not be read while
    /// the writer lives.
    ///
    /// Unless null, @p starts gets where each object record begins, so that a reader can take
    /// one record's bytes without reading the records before it (records carry no length), and
    /// @p recordsEnd where the last one ends.
    RecordWriter(QByteArray &bytes, std::vector<quint32> *starts, qint64 *recordsEnd)
        : m_bytes(&bytes)
        , m_recordStarts(starts)
        , m_recordsEnd(recordsEnd)
        , m_gatherLimit(kGatheredBytes)
    {}
    ~RecordWriter()
    {
        passOnGathered();
        if (m_recordsEnd)
            *m_recordsEnd = pos();
    }
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    void writeByte(quint8 value);
    void writeWord(quint16 value);
    void writeInt(qint32 value);
    void writeBool16(bool value) { writeWord(value ? 0xFFFF : 0); }
    void writeColor(quint32 value) { writeInt(static_cast<qint32>(value)); }
    void writeStr(const QString &text);
    void writeStrList(const QStringList &lines);
    qint64 pos() const { return m_device ? m_device->pos() : m_bytes->size() + m_gathered; }
    void writeBytes(const QByteArray &bytes) { writeRaw(bytes.constData(), bytes.size()); }
    /// Overwrites the int at @p position (a placeholder written earlier) and returns to the end.
    void patchInt(qint64 position, qint32 value);

    /// Writes the kind byte that opens an object record.
    void beginObjectRecord(quint8 kind);

private:
    static constexpr int kGatheredBytes = 1024;

    void writeRaw(const char *data, qint64 size)
    {
        if (size <= m_gatherLimit - m_gathered) {
            std::memcpy(m_gather + m_gathered, data, size);
            m_gathered += static_cast<int>(size);
        } else {
            writeThrough(data, size);
        }
    }
    void writeThrough(const char *data, qint64 size);
    void passOnGathered();
    /// Length word and encoded text, cut at the longest length a word holds.
    void writeText(QStringView text);

    QIODevice *m_device = nullptr;
    QByteArray *m_bytes = nullptr;
    std::vector<quint32> *m_recordStarts = nullptr;
    qint64 *m_recordsEnd = nullptr;
    int m_gatherLimit = 0; // no gathering unless a page writer
    int m_gathered = 0;
    char m_gather[kGatheredBytes];
};

/// Reads the primitives back for one stream version; versions 21 and 22 keep their texts in
/// the older zero-terminated form. Every read that runs past the end raises ERecordFormat, so
/// a damaged record never yields half-filled objects silently.
class RecordReader
{
public:
    RecordReader(QIODevice &device, int version = kCurrentStreamVersion)
        : m_device(&device)
        , m_version(version)
    {}
    /// Reads from @p bytes, which must outlive the reader.
    explicit RecordReader(QByteArrayView bytes, int version = kCurrentStreamVersion)
        : m_bytes(bytes)
        , m_version(version)
    {}

    int version() const { return m_version; }
    quint8 readByte();
    quint16 readWord();
    qint32 readInt();
    /// A position, size or gap: readInt() held within ±kMaxStoredExtent.
    qint32 readExtent();
    bool readBool16() { return readWord() != 0; }
    quint32 readColor() { return static_cast<quint32>(readInt()); }
    QString readStr();
    QStringList readStrList();
    QByteArray readBytes(qint64 count);
    qint64 pos() const { return m_device ? m_device->pos() : m_pos; }
    void seek(qint64 position);
    bool atEnd() const { return m_device ? m_device->atEnd() : m_pos >= m_bytes.size(); }
    qint64 size() const { return m_device ? m_device->size() : m_bytes.size(); }

private:
    void requireLeft(qint64 count) const;
    void readInto(char *target, qint64 count);
    QString readEncoded(quint16 length);
    QString readOldStr();
    QStringList readOldStrList();

    QIODevice *m_device = nullptr;
    QByteArrayView m_bytes;
    qint64 m_pos = 0;
    int m_version;
};

} // namespace tovren::model
