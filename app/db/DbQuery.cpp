#include "app/db/DbQuery.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/SqliteRows.h"

#include <QCollator>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tovren::db {

namespace {

FieldType fieldTypeOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::QString:
    case QMetaType::QChar:
        return FieldType::String;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
        return FieldType::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return FieldType::LargeInt;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldType::Float;
    case QMetaType::Bool:
        return FieldType::Boolean;
    case QMetaType::QDate:
        return FieldType::Date;
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return FieldType::DateTime;
    case QMetaType::QByteArray:
        return FieldType::Blob;
    default:
        return FieldType::Unknown;
    }
}

/// The single table a plain "select ... from T [where ...] [order by ...]" reads, or empty.
QString singleSourceTable(const QString &sql)
{
    static const QRegularExpression plainSelect(
        QStringLiteral(
            R"(^\s*select\s+(?!distinct\b).+?\s+from\s+("?)([\p{L}_][\p{L}\p{N}_]*)\1)"
            R"(\s*(?:(?:where|order\s+by)\b(?:(?!\b(?:join|union|group\s+by)\b).)*)?;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = plainSelect.match(sql);
    return match.hasMatch() ? match.captured(2) : QString();
}

} // namespace

TDbQuery::TDbQuery(TDbConnection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
{}

TDbQuery::~TDbQuery() = default;

void TDbQuery::setSql(const QString &text)
{
    m_sqlLines = text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TDbQuery::addSqlLine(const QString &line)
{
    m_sqlLines << line;
}

void TDbQuery::open()
{
    if (isActive())
        return;
    const QString statement = sql().trimmed();
    if (statement.isEmpty())
        throw EDatabaseError(QStringLiteral("SQL 语句为空"));

    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.exec(statement))
        throw EDatabaseError(sqlErrorText(query.lastError()));
    if (!query.isSelect())
        throw ENoResultSet(query.numRowsAffected());

    const QSqlRecord record = query.record();
    const int columns = record.count();
    std::vector<std::unique_ptr<TDbField>> fields;
    fields.reserve(columns);
    for (int i = 0; i < columns; ++i)
        fields.push_back(std::make_unique<TDbField>(*this, i, record.fieldName(i),
                                                    fieldTypeOf(record.field(i).metaType())));

    std::vector<PackedRow> rows;
    std::vector<QVariant> values(columns);
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            values[i] = query.value(i);
        rows.push_back(PackedRow::pack(values));
        // The driver has run the statement up to its first row; the rest are read from it.
        if (rows.size() == 1 && readRemainingSqliteRows(query, columns, rows))
            break;
    }
    if (query.lastError().isValid())
        throw EDatabaseError(sqlErrorText(query.lastError()));

    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_state = DataSetState::Browse;
    detectUpdateTable();
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    if (m_afterOpen)
        m_afterOpen(*this);
    notifyReset();
    Q_EMIT stateChanged(m_state);
}

void TDbQuery::close()
{
    if (!isActive())
        return;
    m_rows.clear();
    m_fields.clear();
    m_buffer.clear();
    m_modified.clear();
    m_current = -1;
    m_eof = m_bof = true;
    m_table.clear();
    m_keyColumn = -1;
    m_insertedAt = -1;
    m_state = DataSetState::Inactive;
    notifyReset();
    Q_EMIT stateChanged(m_state);
}

int TDbQuery::execSql()
{
    const QString statement = sql().trimmed();
    if (statement.isEmpty())
        throw EDatabaseError(QStringLiteral("SQL 语句为空"));
    return m_connection.execute(statement);
}

void TDbQuery::refresh()
{
    requireActive();
    if (m_state != DataSetState::Browse)
        throw EDatabaseError(QStringLiteral("请先确认或取消正在编辑的记录"));
    const qsizetype position = m_current;
    close();
    open();
    if (position >= 0 && !m_rows.empty())
        moveTo(std::min(position, recordCount() - 1));
}

void TDbQuery::sortBy(int column, Qt::SortOrder order)
{
    requireActive();
    if (m_state != DataSetState::Browse)
        throw EDatabaseError(QStringLiteral("请先确认或取消正在编辑的记录"));
    field(column); // checks the column
    // Names sort by their pinyin and "2019012" after "2019002", as a clerk reads them.
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    struct Keyed
    {
        qsizetype row;
        bool null;
        bool number;
        double value;
        QCollatorSortKey text;
    };
    std::vector<Keyed> keys;
    keys.reserve(m_rows.size());
    for (qsizetype row = 0; row < recordCount(); ++row) {
        const QVariant value = m_rows[row].value(column);
        const bool number = value.typeId() == QMetaType::LongLong ||
                            value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int;
        keys.push_back({row, value.isNull(), number, number ? value.toDouble() : 0.0,
                        collator.sortKey(number ? QString() : value.toString())});
    }
    const auto less = [](const Keyed &a, const Keyed &b) {
        if (a.null != b.null)
            return a.null; // empty cells first, as in the store's own ORDER BY
        if (a.number != b.number)
            return a.number;
        if (a.number)
            return a.value < b.value;
        return a.text.compare(b.text) < 0;
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const Keyed &a, const Keyed &b) {
        return order == Qt::AscendingOrder ? less(a, b) : less(b, a);
    });
    std::vector<PackedRow> sorted;
    sorted.reserve(m_rows.size());
    qsizetype current = -1;
    for (const Keyed &key : keys) {
        if (key.row == m_current)
            current = qsizetype(sorted.size());
        sorted.push_back(std::move(m_rows[key.row]));
    }
    m_rows = std::move(sorted);
    m_current = current;
    notifyReset();
    if (!controlsDisabled())
        Q_EMIT currentChanged(m_current);
}

void TDbQuery::detectUpdateTable()
{
    m_table.clear();
    m_keyColumn = -1;
    const QString table = singleSourceTable(sql());
    if (table.isEmpty())
        return;
    const QSqlDatabase db = m_connection.database();
    const QSqlRecord tableRecord = db.record(table);
    const QSqlIndex key = db.primaryIndex(table);
    if (tableRecord.isEmpty() || key.count() != 1)
        return;
    // Every result column must be a real column of the table, or an edit could not be stored.
    for (const auto &field : m_fields) {
        if (tableRecord.indexOf(field->fieldName()) < 0)
            return;
    }
    for (const auto &field : m_fields) {
        if (field->fieldName().compare(key.fieldName(0), Qt::CaseInsensitive) == 0) {
            m_table = table;
            m_keyColumn = field->index();
            return;
        }
    }
}

void TDbQuery::requireActive() const
{
    if (!isActive())
        throw EDatabaseError(QStringLiteral("数据集没有打开"));
}

void TDbQuery::requireRecord() const
{
    requireActive();
    if (m_current < 0)
        throw EDatabaseError(QStringLiteral("没有当前记录"));
}

void TDbQuery::requireEditing() const
{
    if (m_state != DataSetState::Edit && m_state != DataSetState::Insert)
        throw EDatabaseError(QStringLiteral("数据集不在编辑或插入状态"));
}

void TDbQuery::requireModifiable() const
{
    requireActive();
    if (!canModify())
        throw EDatabaseError(
            QStringLiteral("该查询结果不能修改: 只有来自单个表并包含其主键的结果才能编辑"));
}

void TDbQuery::setState(DataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void TDbQuery::setCurrent(qsizetype row)
{
    if (m_current == row)
        return;
    m_current = row;
    if (!controlsDisabled())
        Q_EMIT currentChanged(row);
}

void TDbQuery::notifyReset()
{
    if (controlsDisabled()) {
        m_pendingReset = true;
        return;
    }
    m_pendingReset = false;
    Q_EMIT resultReset();
}

void TDbQuery::first()
{
    requireActive();
    if (m_state != DataSetState::Browse)
        post();
    setCurrent(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void TDbQuery::last()
{
    requireActive();
    if (m_state != DataSetState::Browse)
        post();
    setCurrent(recordCount() - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void TDbQuery::next()
{
    requireActive();
    if (m_state != DataSetState::Browse)
        post();
    if (m_current + 1 < recordCount()) {
        setCurrent(m_current + 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void TDbQuery::prior()
{
    requireActive();
    if (m_state != DataSetState::Browse)
        post();
    if (m_current > 0) {
        setCurrent(m_current - 1);
        m_eof = false;
        m_bof = false;
    } else {
        m_bof = true;
    }
}

void TDbQuery::moveTo(qsizetype row)
{
    requireActive();
    if (row < 0 || row >= recordCount())
        throw EDatabaseError(QStringLiteral("记录位置 %1 超出范围").arg(row));
    if (m_state != DataSetState::Browse && row != m_current)
        post();
    setCurrent(row);
    m_bof = false;
    m_eof = false;
}

void TDbQuery::gotoBookmark(Bookmark mark)
{
    if (!bookmarkValid(mark))
        throw EDatabaseError(QStringLiteral("书签无效: 记录已不存在"));
    moveTo(mark);
}

void TDbQuery::append()
{
    requireModifiable();
    if (m_state != DataSetState::Browse)
        post();
    m_insertedAt = recordCount();
    m_buffer.assign(m_fields.size(), QVariant());
    m_modified.assign(m_fields.size(), false);
    m_rows.push_back(PackedRow::pack(m_buffer));
    if (!controlsDisabled())
        Q_EMIT rowInserted(m_insertedAt);
    setCurrent(m_insertedAt);
    m_eof = m_bof = false;
    setState(DataSetState::Insert);
}

void TDbQuery::insert()
{
    requireModifiable();
    if (m_state != DataSetState::Browse)
        post();
    m_insertedAt = std::max<qsizetype>(m_current, 0);
    m_buffer.assign(m_fields.size(), QVariant());
    m_modified.assign(m_fields.size(), false);
    m_rows.insert(m_rows.begin() + m_insertedAt, PackedRow::pack(m_buffer));
    if (!controlsDisabled())
        Q_EMIT rowInserted(m_insertedAt);
    m_current = -1;
    setCurrent(m_insertedAt);
    m_eof = m_bof = false;
    setState(DataSetState::Insert);
}

void TDbQuery::edit()
{
    if (m_state == DataSetState::Edit || m_state == DataSetState::Insert)
        return;
    requireModifiable();
    requireRecord();
    m_buffer = m_rows[m_current].unpack();
    m_modified.assign(m_fields.size(), false);
    setState(DataSetState::Edit);
}

void TDbQuery::post()
{
    if (m_state == DataSetState::Insert)
        writeInsert();
    else if (m_state == DataSetState::Edit)
        writeUpdate();
    else
        return;
    m_buffer.clear();
    m_modified.clear();
    m_insertedAt = -1;
    if (!controlsDisabled())
        Q_EMIT rowChanged(m_current);
    setState(DataSetState::Browse);
}

void TDbQuery::cancel()
{
    if (m_state == DataSetState::Insert) {
        const qsizetype row = m_insertedAt;
        m_rows.erase(m_rows.begin() + row);
        m_insertedAt = -1;
        m_buffer.clear();
        m_modified.clear();
        if (!controlsDisabled())
            Q_EMIT rowRemoved(row);
        m_current = -1;
        setCurrent(m_rows.empty() ? -1 : std::min(row, recordCount() - 1));
        m_eof = m_rows.empty();
        setState(DataSetState::Browse);
    } else if (m_state == DataSetState::Edit) {
        m_buffer.clear();
        m_modified.clear();
        if (!controlsDisabled())
            Q_EMIT rowChanged(m_current);
        setState(DataSetState::Browse);
    }
}

void TDbQuery::deleteRecord()
{
    if (m_state == DataSetState::Insert) {
        cancel();
        return;
    }
    requireModifiable();
    requireRecord();
    if (m_state == DataSetState::Edit)
        cancel();
    const QVariant key = m_rows[m_current].value(m_keyColumn);
    // Only the record as this desk saw it is deleted; one changed meanwhile is kept.
    QStringList unchanged;
    for (int column = 0; column < fieldCount(); ++column) {
        if (column != m_keyColumn)
            unchanged << unchangedCondition(column);
    }
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?%3")
                      .arg(m_connection.quoteIdentifier(m_table),
                           m_connection.quoteIdentifier(m_fields[m_keyColumn]->fieldName()),
                           unchanged.isEmpty() ? QString()
                                               : QStringLiteral(" AND ") +
                                                     unchanged.join(QStringLiteral(" AND "))));
    query.addBindValue(key);
    for (int column = 0; column < fieldCount(); ++column) {
        if (column != m_keyColumn)
            query.addBindValue(m_rows[m_current].value(column));
    }
    if (!query.exec())
        throw EDatabaseError(sqlErrorText(query.lastError()));
    if (query.numRowsAffected() == 0) {
        if (const std::optional<std::vector<QVariant>> stored = readStoredRow(key)) {
            m_rows[m_current] = PackedRow::pack(*stored);
            if (!controlsDisabled())
                Q_EMIT rowChanged(m_current);
            throw ERecordConflict(
                QStringLiteral("该记录已被其他用户修改, 没有删除。\n"
                               "表格中现在显示的是修改后的记录; 确实要删除时请再删除一次。"));
        }
        // Another desk deleted it already: what the clerk wanted has happened.
    }
    const qsizetype row = m_current;
    m_rows.erase(m_rows.begin() + row);
    if (!controlsDisabled())
        Q_EMIT rowRemoved(row);
    m_current = -1;
    setCurrent(m_rows.empty() ? -1 : std::min(row, recordCount() - 1));
    m_eof = m_rows.empty();
}

QString TDbQuery::unchangedCondition(int column) const
{
    // Null-safe equality, so a field that was empty when read still matches an empty field.
    return m_connection.quoteIdentifier(m_fields[column]->fieldName()) +
           (m_connection.isPostgreSql() ? QStringLiteral(" IS NOT DISTINCT FROM ?")
                                        : QStringLiteral(" IS ?"));
}

std::optional<std::vector<QVariant>> TDbQuery::readStoredRow(const QVariant &key) const
{
    QStringList columns;
    for (const auto &field : m_fields)
        columns << m_connection.quoteIdentifier(field->fieldName());
    QSqlQuery query(m_connection.database());
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                      .arg(columns.join(QStringLiteral(", ")),
                           m_connection.quoteIdentifier(m_table),
                           m_connection.quoteIdentifier(m_fields[m_keyColumn]->fieldName())));
    query.addBindValue(key);
    if (!query.exec())
        throw EDatabaseError(sqlErrorText(query.lastError()));
    if (!query.next())
        return std::nullopt;
    std::vector<QVariant> values(m_fields.size());
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = query.value(int(i));
    return values;
}

void TDbQuery::writeUpdate()
{
    QStringList assignments;
    QStringList unchanged;
    std::vector<QVariant> values;
    std::vector<QVariant> originals;
    const PackedRow &read = m_rows[m_current];
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_modified[i])
            continue;
        assignments << m_connection.quoteIdentifier(m_fields[i]->fieldName()) +
                           QStringLiteral(" = ?");
        unchanged << unchangedCondition(int(i));
        values.push_back(m_buffer[i]);
        originals.push_back(read.value(int(i)));
    }
    if (!assignments.isEmpty()) {
        // Another desk may have changed the record since it was read: write only over the values
        // this desk saw, so nobody's change is overwritten unseen.
        const QVariant key = read.value(m_keyColumn);
        QSqlQuery query(m_connection.database());
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ? AND %4")
                          .arg(m_connection.quoteIdentifier(m_table),
                               assignments.join(QStringLiteral(", ")),
                               m_connection.quoteIdentifier(m_fields[m_keyColumn]->fieldName()),
                               unchanged.join(QStringLiteral(" AND "))));
        for (const QVariant &value : values)
            query.addBindValue(value);
        query.addBindValue(key);
        for (const QVariant &value : originals)
            query.addBindValue(value);
        if (!query.exec())
            throw EDatabaseError(sqlErrorText(query.lastError()));
        if (query.numRowsAffected() == 0)
            reportConflict(key);
    }
    m_rows[m_current] = PackedRow::pack(m_buffer);
}

void TDbQuery::reportConflict(const QVariant &key)
{
    const std::optional<std::vector<QVariant>> stored = readStoredRow(key);
    if (!stored)
        throw ERecordConflict(QStringLiteral("该记录已被其他用户删除, 您的修改没有保存。\n"
                                             "可以按 \"取消编辑\" 放弃修改。"),
                              {}, true);
    const PackedRow &read = m_rows[m_current];
    QStringList differences;
    std::vector<ConflictingField> fields;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_modified[i])
            continue;
        const QString theirs = (*stored)[i].isNull() ? QString() : (*stored)[i].toString();
        const QString mine = m_buffer[i].isNull() ? QString() : m_buffer[i].toString();
        const QVariant wasRead = read.value(int(i));
        const QString before = wasRead.isNull() ? QString() : wasRead.toString();
        fields.push_back({int(i), m_fields[i]->fieldName(), m_fields[i]->displayLabel(),
                          (*stored)[i], m_buffer[i],
                          wasRead.isNull() != (*stored)[i].isNull() || before != theirs});
        differences << QStringLiteral("%1: 其他用户的值 \"%2\", 您输入的值 \"%3\"")
                           .arg(m_fields[i]->displayLabel(), theirs, mine);
    }
    // The snapshot now holds what the store holds, and the edit buffer the clerk's values over
    // it: confirming again stores them knowingly, cancelling shows the other desk's record.
    std::vector<QVariant> merged = *stored;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_modified[i])
            merged[i] = m_buffer[i];
    }
    m_rows[m_current] = PackedRow::pack(*stored);
    m_buffer = std::move(merged);
    if (!controlsDisabled())
        Q_EMIT rowChanged(m_current);
    throw ERecordConflict(
        QStringLiteral("该记录已被其他用户修改, 您的修改没有保存。\n\n%1\n\n"
                       "您输入的值仍在: 再按 \"确认写入\" 会用它们替换其他用户的值, "
                       "按 \"取消编辑\" 则保留其他用户的值。")
            .arg(differences.join(u'\n')),
        std::move(fields));
}

void TDbQuery::writeInsert()
{
    QStringList columns;
    std::vector<QVariant> values;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_modified[i] || m_buffer[i].isNull())
            continue;
        columns << m_connection.quoteIdentifier(m_fields[i]->fieldName());
        values.push_back(m_buffer[i]);
    }
    const QString table = m_connection.quoteIdentifier(m_table);
    const QString key = m_connection.quoteIdentifier(m_fields[m_keyColumn]->fieldName());
    QString statement =
        columns.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, columns.join(QStringLiteral(", ")),
                       QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    if (m_connection.isPostgreSql())
        statement += QStringLiteral(" RETURNING ") + key;

    QSqlQuery query(m_connection.database());
    query.prepare(statement);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw EDatabaseError(sqlErrorText(query.lastError()));
    QVariant newKey = m_modified[m_keyColumn] ? m_buffer[m_keyColumn] : QVariant();
    if (m_connection.isPostgreSql() && query.next())
        newKey = query.value(0);
    else if (newKey.isNull())
        newKey = query.lastInsertId();

    // Read the stored row back so defaults and the engine's own conversions show in the grid.
    QStringList resultColumns;
    for (const auto &field : m_fields)
        resultColumns << m_connection.quoteIdentifier(field->fieldName());
    QSqlQuery reread(m_connection.database());
    reread.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                       .arg(resultColumns.join(QStringLiteral(", ")), table, key));
    reread.addBindValue(newKey);
    if (reread.exec() && reread.next()) {
        for (size_t i = 0; i < m_fields.size(); ++i)
            m_buffer[i] = reread.value(static_cast<int>(i));
    } else {
        m_buffer[m_keyColumn] = newKey;
    }
    m_rows[m_current] = PackedRow::pack(m_buffer);
}

void TDbQuery::disableControls()
{
    ++m_disableCount;
}

void TDbQuery::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0) {
        m_pendingReset = false;
        Q_EMIT resultReset();
        Q_EMIT currentChanged(m_current);
    }
}

TDbField &TDbQuery::field(int index)
{
    if (index < 0 || index >= fieldCount())
        throw EDatabaseError(QStringLiteral("字段序号 %1 超出范围").arg(index));
    return *m_fields[index];
}

const TDbField &TDbQuery::field(int index) const
{
    return const_cast<TDbQuery *>(this)->field(index);
}

int TDbQuery::fieldIndex(QStringView name) const
{
    // Reports look fields up by name for every value they print, nearly always spelt as the
    // table spells them: an exact match is tried first, as comparing without case costs ten
    // times more.
    for (int index = 0; index < fieldCount(); ++index) {
        if (m_fields[index]->fieldName() == name)
            return index;
    }
    for (int index = 0; index < fieldCount(); ++index) {
        if (m_fields[index]->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

TDbField *TDbQuery::findField(const QString &name)
{
    const int index = fieldIndex(name);
    return index < 0 ? nullptr : m_fields[index].get();
}

TDbField &TDbQuery::fieldByName(const QString &name)
{
    TDbField *found = findField(name);
    if (!found)
        throw EDatabaseError(QStringLiteral("找不到字段 '%1'").arg(name));
    return *found;
}

QStringList TDbQuery::fieldNames() const
{
    QStringList names;
    for (const auto &field : m_fields)
        names << field->fieldName();
    return names;
}

QString TDbQuery::cellText(qsizetype row, int column) const
{
    if (row == m_current && !m_buffer.empty())
        return m_buffer[column].isNull() ? QString() : m_buffer[column].toString();
    if (row < 0 || row >= recordCount())
        return {};
    return m_rows[row].text(column);
}

QVariant TDbQuery::cellValue(qsizetype row, int column) const
{
    if (row == m_current && !m_buffer.empty())
        return m_buffer[column];
    if (row < 0 || row >= recordCount())
        return {};
    return m_rows[row].value(column);
}

QVariant TDbQuery::bufferValue(int column) const
{
    requireRecord();
    return cellValue(m_current, column);
}

bool TDbQuery::bufferValueIsNull(int column) const
{
    // Asked before every value a report prints: a stored cell answers without being unpacked.
    requireRecord();
    if (m_buffer.empty() && m_current < recordCount())
        return m_rows[m_current].isNull(column);
    return cellValue(m_current, column).isNull();
}

void TDbQuery::setBufferValue(int column, const QVariant &value)
{
    requireEditing();
    m_buffer[column] = value;
    m_modified[column] = true;
    if (!controlsDisabled())
        Q_EMIT rowChanged(m_current);
}

} // namespace tovren::db
