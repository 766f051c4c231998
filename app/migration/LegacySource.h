#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace tovren::migration {

/// The tables of an old database, read row by row, as the migration needs them.
class LegacySource
{
public:
    enum class ColumnKind { Integer, Real, Boolean, DateTime, Text, Binary, Other };
    struct Column
    {
        QString name;
        ColumnKind kind;
    };
    using RowVisitor = std::function<void(const QVariantList &values)>;

    virtual ~LegacySource() = default;

    virtual QStringList tableNames() const = 0;
    /// Throws when there is no such table.
    virtual QList<Column> columns(const QString &table) const = 0;
    /// Calls @p visit with each row, values in column order: null, qlonglong, double, bool,
    /// QString (dates as "yyyy-MM-dd" or "yyyy-MM-dd hh:mm:ss", or whatever text the file
    /// holds where its date is not a real one) or QByteArray. Returns the count.
    virtual qsizetype readRows(const QString &table, const RowVisitor &visit) const = 0;
};

} // namespace tovren::migration
