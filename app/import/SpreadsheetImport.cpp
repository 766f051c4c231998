#include "app/import/SpreadsheetImport.h"

#include "app/db/ControlsSuspension.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbQuery.h"
#include "app/import/BirthDate.h"
#include "app/import/DateText.h"

#include <QFileInfo>

#include <algorithm>

namespace tovren::import {

SpreadsheetImport::SpreadsheetImport(db::TDbQuery &query, Yield yield)
    : m_query(query)
    , m_yield(std::move(yield))
{
}

std::vector<int> SpreadsheetImport::mapColumns(const SheetData &sheet) const
{
    std::vector<int> map(size_t(sheet.columnCount()), -1);
    for (int column = 1; column <= sheet.columnCount(); ++column) {
        const QString header = sheet.cellText(1, column);
        for (int field = 0; field < m_query.fieldCount(); ++field) {
            if (header.compare(m_query.field(field).fieldName(), Qt::CaseInsensitive) == 0)
                map[size_t(column - 1)] = field;
        }
    }
    return map;
}

void SpreadsheetImport::importRow(const SheetData &sheet, int row, const std::vector<int> &columnMap,
                                  const QString &fileName)
{
    m_query.append();
    int column = 0;
    try {
        for (column = 1; column <= sheet.columnCount(); ++column) {
            const int fieldIndex = columnMap[size_t(column - 1)];
            if (fieldIndex < 0)
                continue;
            db::TDbField &field = m_query.field(fieldIndex);
            QString text = sheet.cellText(row, column);
            BirthPart part;
            if (text.isEmpty() && birthPartOf(field.fieldName(), &part)) {
                const db::TDbField *birth = m_query.findField(QStringLiteral("Birth"));
                const QString birthText = birth ? birth->asString() : QString();
                if (!birthText.isEmpty()) {
                    const std::optional<QDate> date = textToDate(birthText);
                    if (!date)
                        continue;
                    text = birthPartText(*date, part, true);
                }
            }
            field.setAsString(text);
        }
        column = 0;
        m_query.post();
    } catch (const db::EDatabaseError &error) {
        m_query.cancel();
        const QString place = column > 0 ? QStringLiteral("第 %1 行第 %2 列").arg(row).arg(column)
                                         : QStringLiteral("第 %1 行").arg(row);
        throw db::EDatabaseError(QStringLiteral("导入 %1 时%2出错: %3")
                                     .arg(QFileInfo(fileName).fileName(), place, error.message()));
    }
}

qsizetype SpreadsheetImport::run(const SheetData &sheet, const QString &fileName)
{
    if (!m_query.isActive())
        return 0;
    m_query.post();
    const qsizetype before = m_query.recordCount();
    {
        const db::ControlsSuspension detached(m_query);
        const db::BatchTransaction batch(m_query.connection());
        const std::vector<int> columnMap = mapColumns(sheet);
        // Without a single known column every row would become an empty record.
        if (sheet.rowCount() > 1 && std::all_of(columnMap.begin(), columnMap.end(), [](int f) { return f < 0; }))
            throw db::EDatabaseError(QStringLiteral("%1 的第一行没有任何列名与表中的字段相符, 没有导入任何数据")
                                         .arg(QFileInfo(fileName).fileName()));
        for (int row = 2; row <= sheet.rowCount(); ++row) {
            importRow(sheet, row, columnMap, fileName);
            if (m_yield)
                m_yield();
        }
    }
    return m_query.recordCount() - before;
}

} // namespace tovren::import
