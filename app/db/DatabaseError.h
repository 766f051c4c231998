#pragma once

#include <QString>
#include <exception>

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

/// Another desk changed or deleted the record since this desk read it, so the save or delete was
/// not written; the message names the fields with both desks' values.
class ERecordConflict : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
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
