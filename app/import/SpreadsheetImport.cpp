#include "app/import/SpreadsheetImport.h"

#include "app/db/ControlsSuspension.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"
#include "app/import/BirthDate.h"
#include "app/import/DateText.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace tovren::import {

namespace {

/// A long list of column names would push the message box off the screen.
constexpr qsizetype kListedColumns = 20;

QString columnList(const QStringList &columns)
{
    if (columns.size() <= kListedColumns)
        return columns.join(QStringLiteral(", "));
    return QStringLiteral("%1 等 %2 列")
        .arg(columns.mid(0, kListedColumns).join(QStringLiteral(", ")))
        .arg(columns.size());
}

} // namespace

QString ImportSummary::text() const
{
    QStringList lines{QStringLiteral("导入完成。增加新数据: %1").arg(added)};
    if (updated > 0)
        lines << QStringLiteral("更新已有记录: %1").arg(updated);
    if (skipped > 0)
        lines << QStringLiteral("跳过已有记录: %1").arg(skipped);
    if (!ignoredColumns.isEmpty())
        lines
            << QStringLiteral("以下列没有对应的字段, 没有导入: %1").arg(columnList(ignoredColumns));
    return lines.join(u'\n');
}

SpreadsheetImport::SpreadsheetImport(db::TDbQuery &query, const SheetData &sheet, QString fileName,
                                     Yield yield)
    : m_query(query)
    , m_sheet(sheet)
    , m_fileName(QFileInfo(fileName).fileName())
    , m_yield(std::move(yield))
{
    if (!m_query.isActive())
        return;
    m_query.post();
    m_columns.emplace(sheet, query);
    // Without a single known column every row would become an empty record.
    if (sheet.rowCount() > 1 && m_columns->mapped().empty())
        throw db::EDatabaseError(
            QStringLiteral("%1 的第一行没有任何列名与表中的字段相符 (%2), 没有导入任何数据")
                .arg(m_fileName, columnList(m_columns->ignored())));

    m_table = m_query.updateTable().isEmpty() ? QString::fromLatin1(db::InfoTable::kName)
                                              : m_query.updateTable();
    const db::TDbField *birth = m_query.findField(QStringLiteral("Birth"));
    m_birthField = birth ? birth->index() : -1;
    m_studentColumn = m_columns->columnOf(QStringLiteral("StudID"));
    m_cardColumn = m_columns->columnOf(QStringLiteral("CardID"));
    if (m_studentColumn == 0 && m_cardColumn == 0)
        return;

    m_storedKeys = GraduateKeys::read(m_query.connection(), m_table);
    GraduateKeys seen = m_storedKeys;
    for (int row = 2; row <= sheet.rowCount(); ++row) {
        if (seen.find(studentNumber(row), cardNumber(row)))
            ++m_duplicateRows;
        else
            seen.add(0, studentNumber(row), cardNumber(row));
    }
}

QString SpreadsheetImport::duplicateQuestion() const
{
    return QStringLiteral("%1 中有 %2 行的学生学号或身份证与已有的记录相同。\n\n"
                          "跳过: 不导入这些行\n"
                          "更新: 用这些行中不为空的单元格更新已有的记录\n"
                          "增加: 仍把它们作为新记录增加")
        .arg(m_fileName)
        .arg(m_duplicateRows);
}

QString SpreadsheetImport::studentNumber(int row) const
{
    return m_studentColumn > 0 ? m_sheet.cellText(row, m_studentColumn) : QString();
}

QString SpreadsheetImport::cardNumber(int row) const
{
    return m_cardColumn > 0 ? m_sheet.cellText(row, m_cardColumn) : QString();
}

QString SpreadsheetImport::place(int row, int column) const
{
    return column > 0 ? QStringLiteral("第 %1 行第 %2 列").arg(row).arg(column)
                      : QStringLiteral("第 %1 行").arg(row);
}

std::vector<SpreadsheetImport::CellValue> SpreadsheetImport::rowValues(int row) const
{
    std::vector<CellValue> values;
    QString birth; // the row's Birth as far as the row has been read, left to right
    for (const ImportColumns::Mapped &entry : m_columns->mapped()) {
        QString text = m_sheet.cellText(row, entry.column);
        BirthPart part;
        if (text.isEmpty() && !birth.isEmpty() &&
            birthPartOf(m_query.field(entry.field).fieldName(), &part)) {
            const std::optional<QDate> date = textToDate(birth);
            if (!date)
                continue;
            text = birthPartText(*date, part, true);
        }
        if (entry.field == m_birthField)
            birth = text;
        values.push_back({entry.column, entry.field, std::move(text)});
    }
    return values;
}

qlonglong SpreadsheetImport::appendRecord(int row, const std::vector<CellValue> &values)
{
    m_query.append();
    int column = 0;
    try {
        for (const CellValue &value : values) {
            column = value.column;
            m_query.field(value.field).setAsString(value.text);
        }
        column = 0;
        m_query.post();
    } catch (const db::EDatabaseError &error) {
        m_query.cancel();
        throw db::EDatabaseError(QStringLiteral("导入 %1 时%2出错: %3")
                                     .arg(m_fileName, place(row, column), error.message()));
    }
    const db::TDbField *key = m_query.findField(QString::fromLatin1(db::InfoTable::kKeyColumn));
    return key ? key->value().toLongLong() : -1;
}

void SpreadsheetImport::updateRecord(qlonglong key, int row, const std::vector<CellValue> &values)
{
    db::TDbConnection &connection = m_query.connection();
    const QString keyColumn = QString::fromLatin1(db::InfoTable::kKeyColumn);
    QStringList assignments;
    QVariantList bound;
    std::vector<int> fields;
    for (const CellValue &value : values) {
        const db::TDbField &field = m_query.field(value.field);
        // Blank cells keep what is stored, and the key is never rewritten.
        if (value.text.isEmpty() || field.fieldName().compare(keyColumn, Qt::CaseInsensitive) == 0)
            continue;
        QVariant converted;
        try {
            converted = db::TDbField::convertText(value.text, field.dataType(), field.fieldName());
        } catch (const db::EDatabaseError &error) {
            throw db::EDatabaseError(
                QStringLiteral("导入 %1 时%2出错: %3")
                    .arg(m_fileName, place(row, value.column), error.message()));
        }
        // A later column feeding the same field wins, as it does in an append.
        const auto earlier = std::find(fields.begin(), fields.end(), value.field);
        if (earlier != fields.end()) {
            bound[earlier - fields.begin()] = converted;
            continue;
        }
        fields.push_back(value.field);
        assignments << connection.quoteIdentifier(field.fieldName()) + QStringLiteral(" = ?");
        bound << converted;
    }
    if (assignments.isEmpty())
        return;

    QSqlQuery update(connection.database());
    update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                       .arg(connection.quoteIdentifier(m_table),
                            assignments.join(QStringLiteral(", ")),
                            connection.quoteIdentifier(keyColumn)));
    for (const QVariant &value : std::as_const(bound))
        update.addBindValue(value);
    update.addBindValue(key);
    if (!update.exec())
        throw db::EDatabaseError(
            QStringLiteral("导入 %1 时%2出错: %3")
                .arg(m_fileName, place(row, 0), db::sqlErrorText(update.lastError())));
}

void SpreadsheetImport::importRows(DuplicateRows duplicates, ImportSummary &summary)
{
    GraduateKeys keys = m_storedKeys;
    for (int row = 2; row <= m_sheet.rowCount(); ++row) {
        const std::vector<CellValue> values = rowValues(row);
        const QString student = studentNumber(row);
        const QString card = cardNumber(row);
        const std::optional<qlonglong> stored = keys.find(student, card);
        if (stored && duplicates == DuplicateRows::Skip) {
            ++summary.skipped;
        } else if (stored && duplicates == DuplicateRows::Update) {
            updateRecord(*stored, row, values);
            ++summary.updated;
            keys.add(*stored, student, card);
        } else {
            keys.add(appendRecord(row, values), student, card);
            ++summary.added;
        }
        if (m_yield)
            m_yield();
    }
}

ImportSummary SpreadsheetImport::run(DuplicateRows duplicates)
{
    ImportSummary summary;
    if (!m_columns || !m_query.isActive())
        return summary;
    summary.ignoredColumns = m_columns->ignored();
    try {
        const db::ControlsSuspension detached(m_query);
        const db::BatchTransaction batch(m_query.connection());
        importRows(duplicates, summary);
    } catch (...) {
        // Rows updated before the failure stay updated; the grid should show them so.
        if (summary.updated > 0) {
            try {
                m_query.refresh();
            } catch (const db::EDatabaseError &) {
                // The failure being reported matters more than a stale grid.
            }
        }
        throw;
    }
    // Updated rows were written past the snapshot, which reads them back here.
    if (summary.updated > 0)
        m_query.refresh();
    return summary;
}

} // namespace tovren::import
