#include "app/import/SheetData.h"

#include <algorithm>

namespace tovren::import {

int SheetData::lastColumn(int row) const
{
    if (row < 1 || row > rowCount() || m_rows[size_t(row - 1)].empty())
        return 0;
    return m_rows[size_t(row - 1)].back().column;
}

const SheetData::Cell *SheetData::find(int row, int column) const
{
    if (row < 1 || row > rowCount())
        return nullptr;
    const Row &cells = m_rows[size_t(row - 1)];
    const auto found = std::lower_bound(cells.begin(), cells.end(), column,
                                        [](const Cell &cell, int c) { return cell.column < c; });
    return found != cells.end() && found->column == column ? &*found : nullptr;
}

QString SheetData::cellText(int row, int column) const
{
    const Cell *cell = find(row, column);
    return cell ? cell->text : QString();
}

std::vector<int> SheetData::usedColumns(int row) const
{
    std::vector<int> columns;
    if (row < 1 || row > rowCount())
        return columns;
    for (const Cell &cell : m_rows[size_t(row - 1)])
        columns.push_back(cell.column);
    return columns;
}

void SheetData::Builder::set(int row, int column, QString text)
{
    if (row < 1 || column < 1 || text.isEmpty())
        return;
    if (column > kMaxColumns)
        throw EWorkbookError(QStringLiteral("工作表太宽: 第 %1 行有第 %2 列, 而工作表最多 %3 列")
                                 .arg(row)
                                 .arg(column)
                                 .arg(kMaxColumns));
    if (row > kMaxRows)
        throw EWorkbookError(
            QStringLiteral("工作表太长: 有第 %1 行, 而工作表最多 %2 行").arg(row).arg(kMaxRows));
    if (qsizetype(m_cells.size()) >= kMaxCells)
        throw EWorkbookError(
            QStringLiteral("工作表太大: 有值的单元格超过 %1 个, 请分成几个文件导入")
                .arg(kMaxCells));
    m_cells.push_back({row, column, std::move(text)});
}

SheetData SheetData::Builder::build()
{
    // Stable, so of two texts for one cell the one set later comes last.
    std::stable_sort(m_cells.begin(), m_cells.end(), [](const Cell &a, const Cell &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    SheetData sheet;
    if (!m_cells.empty())
        sheet.m_rows.resize(size_t(m_cells.back().row));
    for (size_t i = 0; i < m_cells.size(); ++i) {
        Cell &cell = m_cells[i];
        if (i + 1 < m_cells.size() && m_cells[i + 1].row == cell.row &&
            m_cells[i + 1].column == cell.column)
            continue;
        sheet.m_rows[size_t(cell.row - 1)].push_back({cell.column, std::move(cell.text)});
        sheet.m_columns = std::max(sheet.m_columns, cell.column);
        ++sheet.m_cellCount;
    }
    m_cells.clear();
    m_cells.shrink_to_fit();
    return sheet;
}

} // namespace tovren::import
