#pragma once

#include <QString>
#include <QVariant>
#include <exception>
#include <vector>

namespace tovren::db {

/// Raised by every failing database operation; its message is Chinese, with the engine's own
/// text after it where the engine gave one.
class EDatabaseError : public std::exception
{
public:
    explicit EDatabaseError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

/// One field of a refused save: what the store holds now beside what the clerk typed.
struct ConflictingField
{
    int column = -1;
    QString name;
    QString label; ///< the field's display label
    QVariant theirs;
    QVariant mine;
    /// False for a field only this desk changed: it conflicts with nothing and is saved as typed.
    bool changedByOtherDesk = false;
};

/// Another desk changed or deleted the record since this desk read it, so the save or delete was
/// not written; the message names the fields with both desks' values, and a refused save also
/// carries them, field by field, for the clerk to settle.
class ERecordConflict : public EDatabaseError
{
public:
    explicit ERecordConflict(QString message, std::vector<ConflictingField> fields = {},
                             bool recordDeleted = false)
        : EDatabaseError(std::move(message))
        , m_fields(std::move(fields))
        , m_recordDeleted(recordDeleted)
    {}
    /// Every field the refused save changed; empty for a refused delete.
    const std::vector<ConflictingField> &fields() const noexcept { return m_fields; }
    /// The record is gone from the store, so there is nothing to save over.
    bool recordDeleted() const noexcept { return m_recordDeleted; }

private:
    std::vector<ConflictingField> m_fields;
    bool m_recordDeleted = false;
};

/// A statement opened as a query ran but returned no rows, such as an update typed with the
/// result-set box on: the store has changed all the same, by rowsAffected() rows (-1 unknown).
class ENoResultSet : public EDatabaseError
{
public:
    explicit ENoResultSet(int rowsAffected)
        : EDatabaseError(QStringLiteral("该语句没有返回结果集"))
        , m_rowsAffected(rowsAffected)
    {}
    int rowsAffected() const noexcept { return m_rowsAffected; }

private:
    int m_rowsAffected;
};

} // namespace tovren::db

class QSqlError;

namespace tovren::db {
/// What a failure of the engine means, in a Chinese sentence, followed by the engine's own
/// text for the technician.
QString sqlErrorText(const QSqlError &error);
/// The same for an engine's message that has already been taken out of its error.
QString explainEngineError(const QString &engineText);
} // namespace tovren::db
