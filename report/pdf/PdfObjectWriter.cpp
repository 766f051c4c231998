#include "report/pdf/PdfObjectWriter.h"

#include <QIODevice>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <zlib.h>

namespace tovren::pdf {

PdfObjectWriter::PdfObjectWriter(QIODevice &out)
    : m_out(out)
{
    // The comment's high bytes tell transfer programs the file is binary.
    put("%PDF-1.6\n%\xE2\xE3\xCF\xD3\n");
    m_offsets.append(-1); // object 0 heads the free list
}

int PdfObjectWriter::reserveObject()
{
    m_offsets.append(-1);
    return int(m_offsets.size()) - 1;
}

void PdfObjectWriter::put(QByteArrayView bytes)
{
    if (!m_ok || bytes.isEmpty())
        return;
    if (m_out.write(bytes.data(), bytes.size()) != bytes.size())
        m_ok = false;
    m_position += bytes.size();
}

void PdfObjectWriter::beginObject(int number)
{
    Q_ASSERT(number > 0 && number < m_offsets.size() && m_offsets[number] < 0);
    m_offsets[number] = m_position;
    char head[32];
    const int length = std::snprintf(head, sizeof head, "%d 0 obj\n", number);
    put(QByteArrayView(head, length));
}

void PdfObjectWriter::writeObject(int number, QByteArrayView body)
{
    beginObject(number);
    put(body);
    put("\nendobj\n");
}

void PdfObjectWriter::writeStream(int number, QByteArrayView dictionaryEntries, QByteArrayView data,
                                  bool compress)
{
    QByteArrayView payload = data;
    if (compress) {
        uLongf capacity = compressBound(uLong(data.size()));
        m_compressed.resize(qsizetype(capacity));
        // Level 6 is zlib's default: most of the gain of 9 at a fraction of its time.
        if (compress2(reinterpret_cast<Bytef *>(m_compressed.data()), &capacity,
                      reinterpret_cast<const Bytef *>(data.data()), uLong(data.size()),
                      6) != Z_OK) {
            m_ok = false;
            return;
        }
        payload = QByteArrayView(m_compressed.constData(), qsizetype(capacity));
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
    const qint64 xrefAt = m_position;
    QByteArray table;
    table.reserve(32 + m_offsets.size() * 20);
    table += "xref\n0 " + QByteArray::number(m_offsets.size()) + "\n0000000000 65535 f \n";
    char entry[24];
    for (qsizetype number = 1; number < m_offsets.size(); ++number) {
        // A reserved number never written stays a free entry rather than pointing at nothing.
        const qint64 offset = m_offsets[number];
        std::snprintf(entry, sizeof entry,
                      offset >= 0 ? "%010lld 00000 n \n" : "%010lld 65535 f \n",
                      static_cast<long long>(offset >= 0 ? offset : 0));
        table += entry;
    }
    table += "trailer\n<</Size " + QByteArray::number(m_offsets.size()) + "/Root " +
             QByteArray::number(catalog) + " 0 R/Info " + QByteArray::number(info) +
             " 0 R>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    put(table);
}

namespace syntax {

void appendNumber(QByteArray &out, double value)
{
    // Four decimals are a ten-thousandth of a point, far below what any device shows.
    if (!std::isfinite(value))
        value = 0;
    const long long scaled = std::llround(value * 10000.0);
    const bool negative = scaled < 0;
    const unsigned long long magnitude = negative ? 0ULL - scaled : scaled;
    char buffer[32];
    int length =
        std::snprintf(buffer, sizeof buffer, "%s%llu", negative ? "-" : "", magnitude / 10000ULL);
    unsigned long long fraction = magnitude % 10000ULL;
    if (fraction) {
        char digits[6] = {'.',
                          char('0' + fraction / 1000),
                          char('0' + fraction / 100 % 10),
                          char('0' + fraction / 10 % 10),
                          char('0' + fraction % 10),
                          0};
        int end = 5;
        while (digits[end - 1] == '0')
            --end;
        std::memcpy(buffer + length, digits, size_t(end));
        length += end;
    }
    if (length == 2 && buffer[0] == '-' && buffer[1] == '0')
        length = 1, buffer[0] = '0';
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
