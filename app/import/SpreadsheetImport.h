#pragma once

#include "app/import/SheetData.h"

#include <QString>

#include <functional>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::import {

/// Appends one record to the browse query per row of a sheet whose first row names the columns.
///
/// Columns are matched to fields by name ignoring case; unmatched columns are ignored. An empty
/// BirthYear, BirthMonth or BirthDay cell is derived from the new record's Birth when Birth came
/// earlier in the row (month and day padded to two digits); a Birth that is not a date leaves
/// that cell unset. A row the table refuses ends the import with an error naming the file, row
/// and column; the rows before it stay in the table.
class SpreadsheetImport
{
public:
    /// Called after every row, to let queued window messages run during a long import.
    using Yield = std::function<void()>;

    explicit SpreadsheetImport(db::TDbQuery &query, Yield yield = {});

    /// Returns the number of records added (the record count now minus before).
    qsizetype run(const SheetData &sheet, const QString &fileName);

private:
    std::vector<int> mapColumns(const SheetData &sheet) const;
    void importRow(const SheetData &sheet, int row, const std::vector<int> &columnMap,
                   const QString &fileName);

    db::TDbQuery &m_query;
    Yield m_yield;
};

} // namespace tovren::import
