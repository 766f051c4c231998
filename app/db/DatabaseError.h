#pragma once

#include <QString>

#include <exception>

namespace tovren::db {

/// Raised by every failing database operation; carries the engine's own message.
class EDatabaseError : public std::exception
{
public:
    explicit EDatabaseError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace tovren::db

class QSqlError;

namespace tovren::db {
/// The most specific text an engine gave for a failure.
QString sqlErrorText(const QSqlError &error);
} // namespace tovren::db
