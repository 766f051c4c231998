#include "app/cli/Arguments.h"

namespace tovren::cli {

Arguments::Arguments(const QStringList &words, const QStringList &valueOptions,
                     const QStringList &flags)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (!word.startsWith(u"--") || word == u"--") {
            m_positional << word;
            continue;
        }
        const qsizetype equals = word.indexOf(u'=');
        const QString name = word.mid(2, equals < 0 ? -1 : equals - 2);
        if (valueOptions.contains(name)) {
            if (equals >= 0) {
                m_values.append({name, word.mid(equals + 1)});
            } else if (i + 1 < words.size()) {
                m_values.append({name, words[++i]});
            } else {
                throw UsageError(QStringLiteral("选项 --%1 需要一个值").arg(name));
            }
        } else if (flags.contains(name) && equals < 0) {
            m_flags << name;
        } else {
            throw UsageError(QStringLiteral("未知的选项: %1").arg(word));
        }
    }
}

std::optional<QString> Arguments::value(const QString &option) const
{
    for (auto it = m_values.crbegin(); it != m_values.crend(); ++it) {
        if (it->first == option)
            return it->second;
    }
    return std::nullopt;
}

QString Arguments::value(const QString &option, const QString &defaultValue) const
{
    return value(option).value_or(defaultValue);
}

int Arguments::intValue(const QString &option, int defaultValue) const
{
    const std::optional<QString> text = value(option);
    if (!text)
        return defaultValue;
    bool ok = false;
    const int number = text->toInt(&ok);
    if (!ok)
        throw UsageError(QStringLiteral("选项 --%1 需要一个整数, 而不是 '%2'").arg(option, *text));
    return number;
}

} // namespace tovren::cli
