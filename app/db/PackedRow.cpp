#include "app/db/PackedRow.h"

#include <QDate>
#include <QDateTime>

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

} // namespace

PackedRow PackedRow::pack(const std::vector<QVariant> &values)
{
    const auto columns = static_cast<Offset>(values.size());
    const qsizetype headerSize = static_cast<qsizetype>(sizeof(Offset)) * (columns + 1);
    QByteArray data;
    data.reserve(headerSize + static_cast<qsizetype>(columns) * 16);
    data.resize(headerSize);
    std::memcpy(data.data(), &columns, sizeof(Offset));

    for (Offset i = 0; i < columns; ++i) {
        const Offset start = static_cast<Offset>(data.size());
        std::memcpy(data.data() + sizeof(Offset) * (i + 1), &start, sizeof(Offset));
        const QVariant &v = values[i];
        if (v.isNull()) {
            data.append(char(CellKind::Null));
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Char:
            data.append(char(CellKind::Int64));
            appendRaw(data, v.toLongLong());
            break;
        case QMetaType::ULongLong: {
            // Beyond the signed range the exact digits matter more than the number.
            bool ok = false;
            const qlonglong asSigned = v.toString().toLongLong(&ok);
            if (ok) {
                data.append(char(CellKind::Int64));
                appendRaw(data, asSigned);
            } else {
                const QString s = v.toString();
                data.append(char(CellKind::Text));
                data.append(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
            }
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            data.append(char(CellKind::Double));
            appendRaw(data, v.toDouble());
            break;
        case QMetaType::Bool:
            data.append(char(CellKind::Bool));
            data.append(v.toBool() ? char(1) : char(0));
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            data.append(char(CellKind::Bytes));
            data.append(bytes);
            break;
        }
        case QMetaType::QDate:
            data.append(char(CellKind::Date));
            appendRaw(data, v.toDate().toJulianDay());
            break;
        case QMetaType::QDateTime:
            data.append(char(CellKind::DateTime));
            appendRaw(data, v.toDateTime().toMSecsSinceEpoch());
            break;
        default: {
            const QString s = v.toString();
            data.append(char(CellKind::Text));
            data.append(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
            break;
        }
        }
    }
    PackedRow row;
    row.m_data = std::move(data);
    row.m_data.squeeze();
    return row;
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
    const Offset end = column + 1 < columns
                           ? readRaw<Offset>(base + sizeof(Offset) * (column + 2))
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
    case CellKind::Null: return {};
    case CellKind::Int64: return QVariant(readRaw<qint64>(c.payload));
    case CellKind::Double: return QVariant(readRaw<double>(c.payload));
    case CellKind::Bool: return QVariant(c.payload[0] != 0);
    case CellKind::Bytes: return QVariant(QByteArray(c.payload, c.size));
    case CellKind::Date: return QVariant(QDate::fromJulianDay(readRaw<qint64>(c.payload)));
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
    case CellKind::Text: return QString(reinterpret_cast<const QChar *>(c.payload), c.size / 2);
    case CellKind::Null: return {};
    case CellKind::Int64: return QString::number(readRaw<qint64>(c.payload));
    case CellKind::Double:
        return QString::number(readRaw<double>(c.payload), 'g', QLocale::FloatingPointShortest);
    case CellKind::Bool: return c.payload[0] ? QStringLiteral("True") : QStringLiteral("False");
    case CellKind::Bytes: return QStringLiteral("(BLOB)");
    default: return value(column).toString();
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
