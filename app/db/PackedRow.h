#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <vector>

namespace tovren::db {

/// One row of a result snapshot, packed into a single allocation.
///
/// A browse query keeps every row of its result in memory (a static cursor), so a hundred
/// thousand rows of thirty-odd columns must not cost a QVariant and a heap string per cell.
/// The row is a table of cell offsets followed by the cells, each a kind byte and its payload;
/// text is kept as raw UTF-16 so reading it back is a copy, not a conversion.
class PackedRow
{
public:
    PackedRow() = default;
    static PackedRow pack(const std::vector<QVariant> &values);

    int columnCount() const;
    bool isNull(int column) const;
    QVariant value(int column) const;
    /// The cell as text: empty for null, numbers in their shortest exact form.
    QString text(int column) const;

    std::vector<QVariant> unpack() const;

    /// Packs a row cell by cell, for readers that have the cells without QVariants.
    class Builder;

private:
    enum class CellKind : char { Null, Int64, Double, Bool, Text, Bytes, Date, DateTime };

    struct Cell
    {
        CellKind kind;
        const char *payload;
        qsizetype size;
    };
    Cell cell(int column) const;

    QByteArray m_data;
};

class PackedRow::Builder
{
public:
    explicit Builder(int columns);

    void addNull() { beginCell(CellKind::Null); }
    void addInt64(qint64 value);
    void addDouble(double value);
    void addBool(bool value);
    void addText(QStringView text);
    /// Adds @p utf8 as text, unless it is not valid UTF-8; false then, and nothing is added.
    bool addUtf8Text(QByteArrayView utf8);
    void addBytes(QByteArrayView bytes);
    void addDate(qint64 julianDay);
    void addDateTime(qint64 msecsSinceEpoch);

    /// The row of the cells added, one for each column; the builder starts again empty.
    PackedRow finish();

private:
    void beginCell(CellKind kind);
    template<typename T>
    void addRaw(CellKind kind, const T &value);

    int m_columns;
    int m_added = 0;
    QByteArray m_data;
};

} // namespace tovren::db
