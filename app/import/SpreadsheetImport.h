#pragma once

#include "app/import/GraduateKeys.h"
#include "app/import/ImportColumns.h"
#include "app/import/SheetData.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::import {

/// What to do with a row whose graduate is already in the store.
enum class DuplicateRows {
    Skip,   ///< leave the stored record as it is and import nothing of the row
    Update, ///< write the row's non-blank cells into the stored record
    Add,    ///< append the row as a new record all the same
};

/// What an import did, for its closing message.
struct ImportSummary
{
    qsizetype added = 0;
    qsizetype updated = 0;
    qsizetype skipped = 0;
    QStringList ignoredColumns;

    /// "导入完成。增加新数据: N", then a line each for updated and skipped rows and ignored
    /// columns, where there are any.
    QString text() const;
};

/// Appends one record to the browse query per row of a sheet whose first row names the columns.
///
/// Columns are matched to fields as ImportColumns says; unmatched columns are ignored and
/// named in the summary. An empty BirthYear, BirthMonth or BirthDay cell is derived from the
/// row's Birth when Birth came earlier in the row (month and day padded to two digits); a Birth
/// that is not a date leaves that cell unset.
///
/// A row is a duplicate when its StudID or CardID is already in the table, or in an earlier row
/// of the sheet; the caller learns how many there are before anything is written and chooses
/// what happens to them. A row the table refuses ends the import with an error naming the
/// file, row and column; the rows before it stay in the table.
class SpreadsheetImport
{
public:
    /// Called after every row, to let queued window messages run during a long import.
    using Yield = std::function<void()>;

    /// Posts a pending edit of @p query and reads the numbers already in the table; throws
    /// EDatabaseError when the sheet has rows but no header names a field. An inactive query
    /// makes an import that does nothing. @p sheet must outlive the import.
    SpreadsheetImport(db::TDbQuery &query, const SheetData &sheet, QString fileName,
                      Yield yield = {});

    /// Rows whose graduate is already there (see the class comment).
    qsizetype duplicateRows() const { return m_duplicateRows; }
    /// The question to put to the person when there are duplicate rows; the answers are
    /// "跳过", "更新" and "增加", in the order of DuplicateRows.
    QString duplicateQuestion() const;

    ImportSummary run(DuplicateRows duplicates);

private:
    struct CellValue
    {
        int column;
        int field;
        QString text;
    };

    std::vector<CellValue> rowValues(int row) const;
    QString studentNumber(int row) const;
    QString cardNumber(int row) const;
    QString place(int row, int column) const;
    qlonglong appendRecord(int row, const std::vector<CellValue> &values);
    void updateRecord(qlonglong key, int row, const std::vector<CellValue> &values);
    void importRows(DuplicateRows duplicates, ImportSummary &summary);

    db::TDbQuery &m_query;
    const SheetData &m_sheet;
    QString m_fileName;
    Yield m_yield;
    std::optional<ImportColumns> m_columns;
    QString m_table;
    int m_birthField = -1;
    int m_studentColumn = 0;
    int m_cardColumn = 0;
    GraduateKeys m_storedKeys;
    qsizetype m_duplicateRows = 0;
};

} // namespace tovren::import
