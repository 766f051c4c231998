#include "report/platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tovren::platform {

namespace {
constexpr const char *kCodePageName = "GB18030";
}

QString decode8Bit(QByteArrayView bytes)
{
    // A decoder keeps state between calls, so each call gets its own; construction is cheap
    // compared to the ICU conversion itself.
    QStringDecoder decoder(kCodePageName);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encode8Bit(QStringView text)
{
    QStringEncoder encoder(kCodePageName);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace tovren::platform
