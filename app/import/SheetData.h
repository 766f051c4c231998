#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

namespace tovren::import {

/// A workbook that cannot be read; the message names the file and, where known, the place.
class EWorkbookError : public std::runtime_error
{
public:
    explicit EWorkbookError(const QString &message)
        : std::runtime_error(message.toStdString())
    {}
    QString message() const { return QString::fromUtf8(what()); }
};

/// The first worksheet of a workbook, every cell already turned into the text the spreadsheet
/// program would show. Rows and columns are 1-based and run from A1 to the last row and column
/// that hold a value, so trailing blank rows never turn into records.
///
/// Only cells that hold a value are kept, each row with its own, so one very wide row costs
/// what its cells cost and not the width of the sheet for every row. A sheet beyond what any
/// spreadsheet program holds, or beyond kMaxCells cells with a value, is refused while it is
/// read, before it can cost the memory it claims.
class SheetData
{
public:
    static constexpr int kMaxRows = 1'048'576;
    static constexpr int kMaxColumns = 16'384;
    static constexpr qsizetype kMaxCells = 1'000'000;

    int rowCount() const { return int(m_rows.size()); }
    /// The widest row's last column that holds a value.
    int columnCount() const { return m_columns; }
    /// The last column of @p row that holds a value; 0 for a blank row or one outside the sheet.
    int lastColumn(int row) const;
    /// Empty outside the used range and for blank cells.
    QString cellText(int row, int column) const;
    /// The columns of @p row that hold a value, in ascending order.
    std::vector<int> usedColumns(int row) const;
    /// How many cells the sheet keeps: the ones that hold a value.
    qsizetype storedCellCount() const { return m_cellCount; }

    /// Builds a sheet from cells given in any order; a cell set twice keeps the later text.
    class Builder
    {
    public:
        /// Throws EWorkbookError when the cell lies beyond the limits of a sheet or is one
        /// cell too many.
        void set(int row, int column, QString text);
        SheetData build();

    private:
        struct Cell
        {
            int row;
            int column;
            QString text;
        };
        std::vector<Cell> m_cells;
    };

private:
    struct Cell
    {
        int column;
        QString text;
    };
    using Row = std::vector<Cell>; ///< sorted by column

    const Cell *find(int row, int column) const;

    std::vector<Row> m_rows;
    int m_columns = 0;
    qsizetype m_cellCount = 0;
};

} // namespace tovren::import
