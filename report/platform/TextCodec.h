#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The stored formats keep text as 8-bit strings in the Chinese system code page. Inside the
// program text is always QString; these two functions are the only crossing point. GB18030 is a
// superset of GBK that can encode every character, so rare characters in names survive a round
// trip instead of turning into question marks.
namespace tovren::platform {

QString decode8Bit(QByteArrayView bytes);
QByteArray encode8Bit(QStringView text);
/// The most bytes encode8BitInto() writes for a text of @p length UTF-16 units.
qsizetype encoded8BitBound(qsizetype length);
/// Writes encode8Bit(@p text) to @p out, which has room for encoded8BitBound(text.size())
/// bytes, without a byte array of its own; returns the end of what it wrote.
char *encode8BitInto(QStringView text, char *out);

} // namespace tovren::platform
