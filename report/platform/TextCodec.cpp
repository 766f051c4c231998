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

QByteArray encode8Bit(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    thread_local QStringEncoder encoder(kCodePageName);
    if (!encoder.isValid())
        return text.toLatin1();
    encoder.resetState();
    return encoder.encode(text);
}

} // namespace tovren::platform
