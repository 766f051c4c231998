#pragma once

#include <QString>
#include <stdexcept>

namespace tovren::engine {

/// An error of the report engine whose message is complete and ready to show, such as a data
/// source that has no data set to walk. It ends a build as an ordinary error.
class EReportError : public std::runtime_error
{
public:
    explicit EReportError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

/// A component name that cannot be followed: its text is "Missing " and the name.
class EClassNotFound : public EReportError
{
public:
    using EReportError::EReportError;
};

/// A component found under a name is not of the kind the caller needs.
class EInvalidCast : public EReportError
{
public:
    EInvalidCast()
        : EReportError(QStringLiteral("Invalid class typecast"))
    {}
};

} // namespace tovren::engine
