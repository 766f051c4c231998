#include "app/db/PackedRow.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <cstring>

namespace tovren::db {

namespace {

using Offset = quint32;

template<typename T>
void appendRaw(QByteArray &out, const T &value)
{
    out.append(reinterpret_cast<const char *>(&value), sizeof(T));
}

template<typename T>
T readRaw(const char *p)
{
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
}

/// True when @p bytes are well-formed UTF-8: no stray or missing continuation bytes, no
/// over-long forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int trailing = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((lead & 0xE0) == 0xC0) {
            trailing = 1, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            trailing = 2, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            trailing = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (end - p <= trailing)
            return false;
        for (int i = 1; i <= trailing; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += trailing + 1;
    }
    return true;
}

} // namespace

PackedRow::Builder::Builder(int columns)
    : m_columns(columns)
{
    const qsizetype headerSize = static_cast<qsizetype>(sizeof(Offset)) * (columns + 1);
    m_data.reserve(headerSize + static_cast<qsizetype>(columns) * 16);
    m_data.resize(headerSize);
    const auto count = static_cast<Offset>(columns);
    std::memcpy(m_data.data(), &count, sizeof(Offset));
}

void PackedRow::Builder::beginCell(CellKind kind)
{
    Q_ASSERT(m_added < m_columns);
    const auto start = static_cast<Offset>(m_data.size());
    std::memcpy(m_data.data() + sizeof(Offset) * (m_added + 1), &start, sizeof(Offset));
    ++m_added;
    m_data.append(char(kind));
}

template<typename T>
void PackedRow::Builder::addRaw(CellKind kind, const T &value)
{
    beginCell(kind);
    appendRaw(m_data, value);
}

void PackedRow::Builder::addInt64(qint64 value)
{
    addRaw(CellKind::Int64, value);
}

void PackedRow::Builder::addDouble(double value)
{
    addRaw(CellKind::Double, value);
}

void PackedRow::Builder::addBool(bool value)
{
    beginCell(CellKind::Bool);
    m_data.append(value ? char(1) : char(0));
}

void PackedRow::Builder::addText(QStringView text)
{
    beginCell(CellKind::Text);
    m_data.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

bool PackedRow::Builder::addUtf8Text(QByteArrayView utf8)
{
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char byte) {
        return static_cast<unsigned char>(byte) < 0x80;
    });
    if (!ascii) {
        if (!isValidUtf8(utf8))
            return false;
        addText(QString::fromUtf8(utf8));
        return true;
    }
    // Widened in place: most cells of a store are numbers, codes and dates.
    beginCell(CellKind::Text);
    const qsizetype start = m_data.size();
    m_data.resize(start + utf8.size() * 2);
    char *out = m_data.data() + start;
    for (const char byte : utf8) {
        const char16_t unit = static_cast<unsigned char>(byte);
        std::memcpy(out, &unit, sizeof unit);
        out += sizeof unit;
    }
    return true;
}

void PackedRow::Builder::addBytes(QByteArrayView bytes)
{
    beginCell(CellKind::Bytes);
    m_data.append(bytes);
}

void PackedRow::Builder::addDate(qint64 julianDay)
{
    addRaw(CellKind::Date, julianDay);
}

void PackedRow::Builder::addDateTime(qint64 msecsSinceEpoch)
{
    addRaw(CellKind::DateTime, msecsSinceEpoch);
}

PackedRow PackedRow::Builder::finish()
{
    Q_ASSERT(m_added == m_columns);
    // The row gets a block of its exact size; the builder keeps its own for the next row.
    PackedRow row;
    row.m_data = QByteArray(m_data.constData(), m_data.size());
    m_data.resize(static_cast<qsizetype>(sizeof(Offset)) * (m_columns + 1));
    m_added = 0;
    return row;
}

PackedRow PackedRow::pack(const std::vector<QVariant> &values)
{
    Builder row(static_cast<int>(values.size()));
    for (const QVariant &v : values) {
        if (v.isNull()) {
            row.addNull();
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Char:
            row.addInt64(v.toLongLong());
            break;
        case QMetaType::ULongLong: {
            // Beyond the signed range the exact digits matter more than the number.
            bool ok = false;
            const qlonglong asSigned = v.toString().toLongLong(&ok);
            if (ok)
                row.addInt64(asSigned);
            else
                row.addText(v.toString());
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            row.addDouble(v.toDouble());
            break;
        case QMetaType::Bool:
            row.addBool(v.toBool());
            break;
        case QMetaType::QByteArray:
            row.addBytes(v.toByteArray());
            break;
        case QMetaType::QDate:
            row.addDate(v.toDate().toJulianDay());
            break;
        case QMetaType::QDateTime:
            row.addDateTime(v.toDateTime().toMSecsSinceEpoch());
            break;
        default:
            row.addText(v.toString());
            break;
        }
    }
    return row.finish();
}

int PackedRow::columnCount() const
{
    if (m_data.isEmpty())
        return 0;
    return static_cast<int>(readRaw<Offset>(m_data.constData()));
}

PackedRow::Cell PackedRow::cell(int column) const
{
    const char *base = m_data.constData();
    const int columns = columnCount();
    const Offset start = readRaw<Offset>(base + sizeof(Offset) * (column + 1));
    const Offset end = column + 1 < columns ? readRaw<Offset>(base + sizeof(Offset) * (column + 2))
                                            : static_cast<Offset>(m_data.size());
    return Cell{static_cast<CellKind>(base[start]), base + start + 1,
                static_cast<qsizetype>(end - start - 1)};
}

bool PackedRow::isNull(int column) const
{
    if (column < 0 || column >= columnCount())
        return true;
    return cell(column).kind == CellKind::Null;
}

QVariant PackedRow::value(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    const Cell c = cell(column);
    switch (c.kind) {
    case CellKind::Null:
        return {};
    case CellKind::Int64:
        return QVariant(readRaw<qint64>(c.payload));
    case CellKind::Double:
        return QVariant(readRaw<double>(c.payload));
    case CellKind::Bool:
        return QVariant(c.payload[0] != 0);
    case CellKind::Bytes:
        return QVariant(QByteArray(c.payload, c.size));
    case CellKind::Date:
        return QVariant(QDate::fromJulianDay(readRaw<qint64>(c.payload)));
    case CellKind::DateTime:
        return QVariant(QDateTime::fromMSecsSinceEpoch(readRaw<qint64>(c.payload)));
    case CellKind::Text:
        return QVariant(QString(reinterpret_cast<const QChar *>(c.payload), c.size / 2));
    }
    return {};
}

QString PackedRow::text(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    const Cell c = cell(column);
    switch (c.kind) {
    case CellKind::Text:
        return QString(reinterpret_cast<const QChar *>(c.payload), c.size / 2);
    case CellKind::Null:
        return {};
    case CellKind::Int64:
        return QString::number(readRaw<qint64>(c.payload));
    case CellKind::Double:
        return QString::number(readRaw<double>(c.payload), 'g', QLocale::FloatingPointShortest);
    case CellKind::Bool:
        return c.payload[0] ? QStringLiteral("True") : QStringLiteral("False");
    case CellKind::Bytes:
        return QStringLiteral("(BLOB)");
    default:
        return value(column).toString();
    }
}

std::vector<QVariant> PackedRow::unpack() const
{
    std::vector<QVariant> values;
    const int columns = columnCount();
    values.reserve(columns);
    for (int i = 0; i < columns; ++i)
        values.push_back(value(i));
    return values;
}

} // namespace tovren::db
