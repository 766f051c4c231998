#pragma once

#include "app/db/DbField.h"
#include "app/db/PackedRow.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tovren::db {

class TDbConnection;

enum class DataSetState { Inactive, Browse, Edit, Insert };

/// The browse query: an SQL text, its result as a static snapshot, and a current record.
///
/// Opening reads every row once, so the record count is exact and a bookmark is a row position.
/// A result from one table that carries the table's key can be edited: appends, edits and
/// deletes are written through to the table at once and then reflected in the snapshot. Rows
/// that other users change are seen on the next open; a save or delete of a record another desk
/// changed meanwhile is refused with ERecordConflict instead of overwriting it unseen. Every
/// failure throws EDatabaseError; a failed post leaves the record in its editing state so nothing
/// typed is lost.
class TDbQuery : public QObject
{
    Q_OBJECT
public:
    using Bookmark = qsizetype;
    using AfterOpenHook = std::function<void(TDbQuery &)>;

    explicit TDbQuery(TDbConnection &connection, QObject *parent = nullptr);
    ~TDbQuery() override;

    // SQL text
    QString sql() const { return m_sqlLines.join(u'\n'); }
    void setSql(const QString &text);
    void clearSql() { setSql({}); }
    void addSqlLine(const QString &line);

    // Opening and running
    /// Opening an open query does nothing. The statement must return rows.
    void open();
    void close();
    bool isActive() const { return m_state != DataSetState::Inactive; }
    void setActive(bool active) { active ? open() : close(); }
    /// Runs the SQL text as a statement that returns no rows; returns the rows it touched.
    int execSql();
    /// Closes and opens again, staying on the same position where it still exists.
    void refresh();

    /// Puts the snapshot in the order of @p column; the current record stays current. Names
    /// sort by pinyin, digit runs by their value. Only while browsing.
    void sortBy(int column, Qt::SortOrder order);

    void setAfterOpen(AfterOpenHook hook) { m_afterOpen = std::move(hook); }
    bool hasAfterOpen() const { return static_cast<bool>(m_afterOpen); }

    // Navigation
    qsizetype recordCount() const { return static_cast<qsizetype>(m_rows.size()); }
    /// Zero-based position of the current record; -1 when there is none.
    qsizetype recNo() const { return m_current; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(qsizetype row);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.empty(); }

    Bookmark bookmark() const { return m_current; }
    void gotoBookmark(Bookmark mark);
    void freeBookmark(Bookmark) {}
    bool bookmarkValid(Bookmark mark) const { return mark >= 0 && mark < recordCount(); }

    // Editing
    DataSetState state() const { return m_state; }
    bool canModify() const { return !m_table.isEmpty() && m_keyColumn >= 0; }
    /// Starts a new record at the end of the snapshot.
    void append();
    /// Starts a new record before the current one.
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Grid notifications
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // Fields
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    TDbField &field(int index);
    const TDbField &field(int index) const;
    /// The index of the field named @p name, ignoring case; -1 when there is none.
    int fieldIndex(QStringView name) const;
    TDbField *findField(const QString &name);
    /// Throws EDatabaseError when there is no such field.
    TDbField &fieldByName(const QString &name);
    QStringList fieldNames() const;

    /// A cell of any snapshot row, for the grid; the current record reads its edit buffer.
    QString cellText(qsizetype row, int column) const;
    QVariant cellValue(qsizetype row, int column) const;

    TDbConnection &connection() const { return m_connection; }

    /// The table edits are written to, empty when the result cannot be edited.
    QString updateTable() const { return m_table; }

Q_SIGNALS:
    /// The whole result changed: opened, closed, refreshed or notifications resumed.
    void resultReset();
    void rowChanged(qsizetype row);
    void rowInserted(qsizetype row);
    void rowRemoved(qsizetype row);
    void currentChanged(qsizetype row);
    void stateChanged(tovren::db::DataSetState state);

private:
    friend class TDbField;
    QVariant bufferValue(int column) const;
    bool bufferValueIsNull(int column) const;
    void setBufferValue(int column, const QVariant &value);
    void requireActive() const;
    void requireRecord() const;
    void requireEditing() const;
    void requireModifiable() const;
    void setState(DataSetState state);
    void setCurrent(qsizetype row);
    void detectUpdateTable();
    void writeInsert();
    void writeUpdate();
    QString unchangedCondition(int column) const;
    std::optional<std::vector<QVariant>> readStoredRow(const QVariant &key) const;
    [[noreturn]] void reportConflict(const QVariant &key);
    void notifyReset();

    TDbConnection &m_connection;
    QStringList m_sqlLines;
    DataSetState m_state = DataSetState::Inactive;
    std::vector<PackedRow> m_rows;
    std::vector<std::unique_ptr<TDbField>> m_fields;
    qsizetype m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    std::vector<QVariant> m_buffer;
    std::vector<bool> m_modified;
    qsizetype m_insertedAt = -1;
    QString m_table;
    int m_keyColumn = -1;
    int m_disableCount = 0;
    bool m_pendingReset = false;
    AfterOpenHook m_afterOpen;
};

} // namespace tovren::db
