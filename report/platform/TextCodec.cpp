#include "report/platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace tovren::platform {

namespace {
constexpr const char *kCodePageName = "GB18030";

// ASCII is the same in the code page, and most stored texts are ASCII: they skip ICU.
bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}
QStringEncoder &threadEncoder()
{
    // Opening the converter costs far more than a conversion, so each thread keeps one and
    // clears its state before every use.
    thread_local QStringEncoder encoder(kCodePageName);
    return encoder;
}
} // namespace

QString decode8Bit(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    // Opening the converter costs far more than a conversion, so each thread keeps one and
    // clears its state before every use.
    thread_local QStringDecoder decoder(kCodePageName);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    decoder.resetState();
    return decoder.decode(bytes);
}

qsizetype encoded8BitBound(qsizetype length)
{
    QStringEncoder &encoder = threadEncoder();
    return encoder.isValid() ? std::max(length, encoder.requiredSpace(length)) : length;
}

char *encode8BitInto(QStringView text, char *out)
{
    QStringEncoder &encoder = threadEncoder();
    if (isAscii(text) || !encoder.isValid()) {
        // As toLatin1() would: what Latin-1 lacks becomes a question mark.
        return std::transform(text.begin(), text.end(), out, [](QChar c) {
            return c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?';
        });
    }
    encoder.resetState();
    return encoder.appendToBuffer(out, text);
}

QByteArray encode8Bit(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray bytes(encoded8BitBound(text.size()), Qt::Uninitialized);
    bytes.truncate(encode8BitInto(text, bytes.data()) - bytes.constData());
    return bytes;
}

} // namespace tovren::platform
