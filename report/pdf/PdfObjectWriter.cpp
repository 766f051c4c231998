#include "report/pdf/PdfObjectWriter.h"

#include <QIODevice>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <zlib.h>

namespace tovren::pdf {

/// One compressor for all of a document's streams: setting zlib up costs more than
/// compressing a page's few kilobytes, so it is reset between streams rather than made anew.
class PdfObjectWriter::Deflater
{
public:
    Deflater()
    {
        // The fastest level: pages and subset fonts are small, and it keeps files within a
        // few per cent of the slower levels.
        m_ready = deflateInit(&m_stream, Z_BEST_SPEED) == Z_OK;
    }
    ~Deflater()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    /// @p data compressed, or null when zlib fails; valid until the next call.
    std::optional<QByteArrayView> compress(QByteArrayView data)
    {
        if (!m_ready || deflateReset(&m_stream) != Z_OK)
            return std::nullopt;
        m_output.resize(qsizetype(deflateBound(&m_stream, uLong(data.size()))));
        m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
        m_stream.avail_in = uInt(data.size());
        m_stream.next_out = reinterpret_cast<Bytef *>(m_output.data());
        m_stream.avail_out = uInt(m_output.size());
        if (deflate(&m_stream, Z_FINISH) != Z_STREAM_END)
            return std::nullopt;
        return QByteArrayView(m_output.constData(), qsizetype(m_stream.total_out));
    }

private:
    z_stream m_stream{};
    bool m_ready = false;
    QByteArray m_output;
};

namespace {

// A document of a page or two (a page and its fonts take half a dozen streams) is written
// before a thread would have started; past this many streams the rest goes to the worker.
constexpr int kStreamsBeforeWorker = 16;
// Pages handed over and not yet written: enough to ride out a large font program, few enough
// to hold little memory.
constexpr std::size_t kMaxObjectsWaiting = 64;

} // namespace

PdfObjectWriter::PdfObjectWriter(QIODevice &out)
    : m_out(out)
    , m_deflater(std::make_unique<Deflater>())
{
    // The comment's high bytes tell transfer programs the file is binary.
    put("%PDF-1.6\n%\xE2\xE3\xCF\xD3\n");
}

PdfObjectWriter::~PdfObjectWriter() = default;

int PdfObjectWriter::reserveObject()
{
    return m_objectCount++;
}

void PdfObjectWriter::put(QByteArrayView bytes)
{
    if (!ok() || bytes.isEmpty())
        return;
    if (m_out.write(bytes.data(), bytes.size()) != bytes.size())
        m_ok = false;
    m_position += bytes.size();
}

void PdfObjectWriter::beginObject(int number)
{
    m_writtenAt.emplace_back(number, m_position);
    char head[32];
    const int length = std::snprintf(head, sizeof head, "%d 0 obj\n", number);
    put(QByteArrayView(head, length));
}

void PdfObjectWriter::writeObject(int number, QByteArrayView body)
{
    Q_ASSERT(number > 0 && number < m_objectCount);
    if (!m_worker) {
        writeObjectNow(number, body);
        return;
    }
    m_worker->post([this, number, body = body.toByteArray()] { writeObjectNow(number, body); });
}

void PdfObjectWriter::writeStream(int number, QByteArrayView dictionaryEntries, QByteArrayView data,
                                  bool compress)
{
    Q_ASSERT(number > 0 && number < m_objectCount);
    if (!m_worker) {
        writeStreamNow(number, dictionaryEntries, data, compress);
        if (++m_streamsWritten == kStreamsBeforeWorker)
            m_worker = std::make_unique<platform::SerialWorker>(kMaxObjectsWaiting);
        return;
    }
    m_worker->post([this, number, entries = dictionaryEntries.toByteArray(),
                    data = data.toByteArray(),
                    compress] { writeStreamNow(number, entries, data, compress); });
}

void PdfObjectWriter::writeObjectNow(int number, QByteArrayView body)
{
    beginObject(number);
    put(body);
    put("\nendobj\n");
}

void PdfObjectWriter::writeStreamNow(int number, QByteArrayView dictionaryEntries,
                                     QByteArrayView data, bool compress)
{
    QByteArrayView payload = data;
    if (compress) {
        const std::optional<QByteArrayView> compressed = m_deflater->compress(data);
        if (!compressed) {
            m_ok = false;
            return;
        }
        payload = *compressed;
    }
    beginObject(number);
    put("<<");
    put(dictionaryEntries);
    char tail[64];
    const int length = std::snprintf(tail, sizeof tail, "%s/Length %lld>>\nstream\n",
                                     compress ? "/Filter/FlateDecode" : "",
                                     static_cast<long long>(payload.size()));
    put(QByteArrayView(tail, length));
    put(payload);
    put("\nendstream\nendobj\n");
}

void PdfObjectWriter::finish(int catalog, int info)
{
    if (m_worker) {
        m_worker->finish();
        m_worker.reset();
    }
    // -1: reserved and never written.
    std::vector<qint64> offsets(std::size_t(m_objectCount), -1);
    for (const auto &[number, offset] : m_writtenAt) {
        Q_ASSERT(offsets[number] < 0);
        offsets[number] = offset;
    }
    const qint64 xrefAt = m_position;
    QByteArray table;
    table.reserve(32 + offsets.size() * 20);
    table += "xref\n0 " + QByteArray::number(qsizetype(offsets.size())) + "\n0000000000 65535 f \n";
    char entry[24];
    for (std::size_t number = 1; number < offsets.size(); ++number) {
        // A reserved number never written stays a free entry rather than pointing at nothing.
        const qint64 offset = offsets[number];
        std::snprintf(entry, sizeof entry,
                      offset >= 0 ? "%010lld 00000 n \n" : "%010lld 65535 f \n",
                      static_cast<long long>(offset >= 0 ? offset : 0));
        table += entry;
    }
    table += "trailer\n<</Size " + QByteArray::number(qsizetype(offsets.size())) + "/Root " +
             QByteArray::number(catalog) + " 0 R/Info " + QByteArray::number(info) +
             " 0 R>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    put(table);
}

namespace syntax {

void appendNumber(QByteArray &out, double value, int decimals)
{
    static constexpr unsigned long long kPowersOfTen[] = {
        1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL};
    decimals = std::clamp(decimals, 0, 8);
    const unsigned long long unit = kPowersOfTen[decimals];
    // Beyond a billion nothing on a page means anything, and the scaled value stays in range.
    if (!std::isfinite(value))
        value = 0;
    value = std::clamp(value, -1e9, 1e9);
    const long long scaled = std::llround(value * double(unit));
    const bool negative = scaled < 0;
    const unsigned long long magnitude = negative ? 0ULL - scaled : scaled;
    char buffer[48];
    char *end = buffer;
    if (negative)
        *end++ = '-';
    end = std::to_chars(end, buffer + sizeof buffer, magnitude / unit).ptr;
    auto length = end - buffer;
    const unsigned long long fraction = magnitude % unit;
    if (fraction) {
        // The fraction's digits with leading zeros, then without trailing ones.
        buffer[length++] = '.';
        for (int digit = decimals - 1; digit >= 0; --digit)
            buffer[length++] = char('0' + fraction / kPowersOfTen[digit] % 10);
        while (buffer[length - 1] == '0')
            --length;
    }
    out.append(buffer, length);
    out.append(' ');
}

QByteArray number(double value)
{
    QByteArray text;
    appendNumber(text, value);
    text.chop(1);
    return text;
}

QByteArray textString(const QString &text)
{
    bool plain = true;
    for (const QChar c : text)
        plain = plain && c.unicode() >= 0x20 && c.unicode() < 0x7F;
    QByteArray out;
    if (plain) {
        out += '(';
        for (const QChar c : text) {
            if (c == u'(' || c == u')' || c == u'\\')
                out += '\\';
            out += char(c.unicode());
        }
        out += ')';
        return out;
    }
    out += "<FEFF";
    char hex[8];
    for (const QChar c : text) {
        std::snprintf(hex, sizeof hex, "%04X", unsigned(c.unicode()));
        out += hex;
    }
    out += '>';
    return out;
}

} // namespace syntax

} // namespace tovren::pdf
