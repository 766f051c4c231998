#pragma once

#include "report/model/RecordStream.h"
#include "report/platform/TextCodec.h"
#include "tests/support/ScriptedDialogs.h"

#include <QBuffer>
#include <QtEndian>

namespace tovren::model::testing {

/// Builds streams byte by byte, including the older text forms no writer produces any more.
class StreamBuilder
{
public:
    StreamBuilder &byte(quint8 value)
    {
        m_bytes.append(static_cast<char>(value));
        return *this;
    }
    StreamBuilder &word(quint16 value)
    {
        const quint16 le = qToLittleEndian(value);
        m_bytes.append(reinterpret_cast<const char *>(&le), sizeof le);
        return *this;
    }
    StreamBuilder &int32(qint32 value)
    {
        const qint32 le = qToLittleEndian(value);
        m_bytes.append(reinterpret_cast<const char *>(&le), sizeof le);
        return *this;
    }
    StreamBuilder &zeros(int count)
    {
        m_bytes.append(count, '\0');
        return *this;
    }
    StreamBuilder &str(const QString &text)
    {
        const QByteArray bytes = platform::encode8Bit(text);
        word(static_cast<quint16>(bytes.size()));
        m_bytes.append(bytes);
        return byte(0);
    }
    StreamBuilder &strList(const QStringList &lines)
    {
        word(static_cast<quint16>(lines.size()));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray bytes = platform::encode8Bit(lines.at(i));
            word(static_cast<quint16>(bytes.size()));
            m_bytes.append(bytes);
            if (i + 1 < lines.size())
                byte(13);
        }
        return byte(0);
    }
    /// Versions 21 and 22: zero-terminated text, lines separated by byte 13.
    StreamBuilder &oldStr(const QString &text)
    {
        m_bytes.append(platform::encode8Bit(text));
        return byte(0);
    }
    StreamBuilder &oldStrList(const QStringList &lines) { return oldStr(lines.join(u'\r')); }

    qsizetype size() const { return m_bytes.size(); }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

/// Answers the password prompt from a fixed reply, or as cancelled.
class PasswordDialogs : public test::ScriptedDialogs
{
public:
    std::optional<QString> reply;
    int prompts = 0;

    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        ++prompts;
        return reply;
    }
};

} // namespace tovren::model::testing
