#include "report/engine/StreamDelta.h"

#include <bit>
#include <cstring>

namespace tovren::engine {

namespace {

// A copied run shorter than this costs about as much as its bytes.
constexpr qsizetype kRunBytes = 8;
constexpr qsizetype kMaxNotedRuns = 64 * 1024;

std::uint64_t runAt(const char *p)
{
    std::uint64_t run;
    std::memcpy(&run, p, sizeof run);
    return run;
}

std::size_t slotOf(std::uint64_t run, int shift)
{
    return static_cast<std::size_t>((run * 0x9E3779B97F4A7C15ull) >> shift);
}

void appendNumber(QByteArray &out, quint64 value)
{
    while (value >= 0x80) {
        out.append(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

/// Reads what appendNumber wrote; false at the end of @p in or on a number too long.
bool readNumber(const char *&p, const char *end, quint64 &value)
{
    value = 0;
    for (int shift = 0; p < end && shift < 64; shift += 7) {
        const auto byte = static_cast<quint8>(*p++);
        value |= quint64(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

// Each piece opens with its length times two, plus one for a run copied from the reference,
// which is followed by where the run starts there; a literal piece is followed by its bytes.
void appendLiteral(QByteArray &out, const char *bytes, qsizetype size)
{
    if (size == 0)
        return;
    appendNumber(out, quint64(size) << 1);
    out.append(bytes, size);
}

void appendCopy(QByteArray &out, qsizetype referenceStart, qsizetype size)
{
    appendNumber(out, (quint64(size) << 1) | 1);
    appendNumber(out, quint64(referenceStart));
}

} // namespace

StreamDeltaReference::StreamDeltaReference(QByteArray stream)
    : m_bytes(std::move(stream))
{
    const qsizetype runs = m_bytes.size() - kRunBytes + 1;
    if (runs <= 0)
        return;
    // A page holding a large picture notes only every so many of its runs, so that the table
    // stays small; a match still shows within that many bytes and then grows both ways.
    const qsizetype stride = (runs + kMaxNotedRuns - 1) / kMaxNotedRuns;
    const qsizetype noted = (runs + stride - 1) / stride;
    const int bits = std::max(4, int(std::bit_width(quint64(noted))) + 1);
    m_slots.resize(std::size_t(1) << bits);
    m_shift = 64 - bits;
    const std::size_t mask = m_slots.size() - 1;
    const char *base = m_bytes.constData();
    for (qsizetype i = 0; i < runs; i += stride) {
        const std::uint64_t run = runAt(base + i);
        for (std::size_t s = slotOf(run, m_shift);; s = (s + 1) & mask) {
            if (m_slots[s].position == kEmpty) {
                m_slots[s] = {run, std::uint32_t(i)};
                break;
            }
            if (m_slots[s].run == run)
                break; // the first occurrence stays
        }
    }
}

std::uint32_t StreamDeltaReference::find(std::uint64_t run) const
{
    if (m_slots.empty())
        return kEmpty;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t s = slotOf(run, m_shift);; s = (s + 1) & mask) {
        if (m_slots[s].position == kEmpty || m_slots[s].run == run)
            return m_slots[s].position;
    }
}

QByteArray StreamDeltaReference::encode(QByteArrayView stream) const
{
    QByteArray out;
    out.reserve(stream.size() / 8 + 16);
    appendNumber(out, quint64(stream.size()));
    const char *s = stream.data();
    const qsizetype size = stream.size();
    const char *ref = m_bytes.constData();
    const qsizetype refSize = m_bytes.size();
    qsizetype literalStart = 0;
    qsizetype i = 0;
    while (i + kRunBytes <= size) {
        const std::uint32_t found = find(runAt(s + i));
        if (found == kEmpty) {
            ++i;
            continue;
        }
        qsizetype from = found;
        qsizetype start = i;
        qsizetype end = i + kRunBytes;
        qsizetype refEnd = from + kRunBytes;
        while (end + 8 <= size && refEnd + 8 <= refSize && runAt(s + end) == runAt(ref + refEnd)) {
            end += 8;
            refEnd += 8;
        }
        while (end < size && refEnd < refSize && s[end] == ref[refEnd]) {
            ++end;
            ++refEnd;
        }
        // The bytes just before often match too; they need not stay literal.
        while (start > literalStart && from > 0 && s[start - 1] == ref[from - 1]) {
            --start;
            --from;
        }
        appendLiteral(out, s + literalStart, start - literalStart);
        appendCopy(out, from, end - start);
        i = literalStart = end;
    }
    appendLiteral(out, s + literalStart, size - literalStart);
    return out;
}

QByteArray expandStreamDelta(const QByteArray &reference, QByteArrayView delta)
{
    const char *p = delta.data();
    const char *const end = p + delta.size();
    quint64 size = 0;
    if (!readNumber(p, end, size))
        return {};
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    char *target = out.data();
    quint64 written = 0;
    while (p < end) {
        quint64 piece = 0;
        if (!readNumber(p, end, piece))
            break;
        const quint64 length = piece >> 1;
        if (length > size - written)
            break;
        if (piece & 1) {
            quint64 from = 0;
            if (!readNumber(p, end, from) || from > quint64(reference.size()) ||
                length > quint64(reference.size()) - from)
                break;
            std::memcpy(target + written, reference.constData() + from, length);
        } else {
            if (length > quint64(end - p))
                break;
            std::memcpy(target + written, p, length);
            p += length;
        }
        written += length;
    }
    // Differences are only ever made here, never read from a file; a short result would be a
    // fault of this code, and shows as a damaged page rather than as bytes left unset.
    Q_ASSERT(written == size);
    out.truncate(qsizetype(written));
    return out;
}

} // namespace tovren::engine
