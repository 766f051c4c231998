#include "app/import/SheetData.h"

#include <algorithm>

namespace tovren::import {

void SheetData::Builder::set(int row, int column, QString text)
{
    if (row < 1 || column < 1 || text.isEmpty())
        return;
    m_cells.push_back({row, column, std::move(text)});
}

SheetData SheetData::Builder::build()
{
    int rows = 0;
    int columns = 0;
    for (const Cell &cell : m_cells) {
        rows = std::max(rows, cell.row);
        columns = std::max(columns, cell.column);
    }
    SheetData sheet(rows, columns);
    for (Cell &cell : m_cells)
        sheet.m_cells[size_t(cell.row - 1) * size_t(columns) + size_t(cell.column - 1)] =
            std::move(cell.text);
    m_cells.clear();
    return sheet;
}

} // namespace tovren::import
