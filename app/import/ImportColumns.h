#pragma once

#include "app/import/SheetData.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::import {

/// Which field of the browse query each column of a sheet feeds, read from the sheet's first row.
///
/// A header names a field by the field's name, ignoring case, or by the Chinese title the grid
/// shows for it under "显示中文字段名"; surrounding spaces do not count. A name wins over a title,
/// so a store with a column literally called 姓名 gets that column. When several fields or
/// titles match, the later field wins, as the column map of the import always did.
class ImportColumns
{
public:
    struct Mapped
    {
        int column; ///< 1-based sheet column
        int field;  ///< index of the query field
    };

    ImportColumns(const SheetData &sheet, const db::TDbQuery &query);

    /// The columns that feed a field, left to right.
    const std::vector<Mapped> &mapped() const { return m_mapped; }
    /// The last column that feeds the field named @p fieldName (ignoring case), or 0.
    int columnOf(const QString &fieldName) const;

    /// The columns that hold something but feed no field, by header, or by position where the
    /// header is blank ("第 5 列"), left to right.
    const QStringList &ignored() const { return m_ignored; }

private:
    std::vector<Mapped> m_mapped;
    QStringList m_ignored;
    const db::TDbQuery &m_query;
};

} // namespace tovren::import
