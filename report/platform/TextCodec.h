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

} // namespace tovren::platform
