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
    {
    }
    QString message() const { return QString::fromUtf8(what()); }
};

/// The first worksheet of a workbook, every cell already turned into the text the spreadsheet
/// program would show. Rows and columns are 1-based and run from A1 to the last row and column
/// that hold a value, so trailing blank rows never turn into records.
class SheetData
{
public:
    SheetData() = default;
    SheetData(int rows, int columns)
        : m_rows(rows)
        , m_columns(columns)
        , m_cells(size_t(rows) * size_t(columns))
    {
    }

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    /// Empty outside the used range.
    QString cellText(int row, int column) const
    {
        if (row < 1 || column < 1 || row > m_rows || column > m_columns)
            return {};
        return m_cells[size_t(row - 1) * size_t(m_columns) + size_t(column - 1)];
    }

    /// Builds a sheet from cells given in any order; grows to fit.
    class Builder
    {
    public:
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
    int m_rows = 0;
    int m_columns = 0;
    std::vector<QString> m_cells;
};

} // namespace tovren::import
