#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace tovren::cli {

/// A failure in what the person typed; the dispatcher prints it and exits non-zero.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

/// Reads "--name VALUE" and "--name=VALUE" options and plain arguments from a command's words.
class Arguments
{
public:
    /// @p valueOptions are the options that take a value; @p flags those that do not.
    Arguments(const QStringList &words, const QStringList &valueOptions, const QStringList &flags);

    std::optional<QString> value(const QString &option) const;
    QString value(const QString &option, const QString &defaultValue) const;
    int intValue(const QString &option, int defaultValue) const;
    bool flag(const QString &option) const { return m_flags.contains(option); }
    const QStringList &positional() const { return m_positional; }

private:
    QStringList m_positional;
    QStringList m_flags;
    QList<std::pair<QString, QString>> m_values;
};

} // namespace tovren::cli
