#include "report/platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

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

/// The code of every character of the Basic Multilingual Plane met so far.
///
/// A call into the converter costs a hundred times a table look-up, and a report writes the
/// same few thousand characters again and again. The code page has no shift states, so a text's
/// code is the codes of its characters one after another.
class CharacterCodes
{
public:
    /// Writes the code of @p c (not ASCII, not a surrogate) at @p out; returns the end.
    char *append(char16_t c, char *out, QStringEncoder &encoder)
    {
        if (m_lengths[c] == 0 && !learn(c, encoder)) {
            encoder.resetState();
            return encoder.appendToBuffer(out, QStringView(&c, 1));
        }
        std::memcpy(out, m_codes[c].data(), m_lengths[c]);
        return out + m_lengths[c];
    }

private:
    bool learn(char16_t c, QStringEncoder &encoder)
    {
        std::array<char, 16> code{};
        encoder.resetState();
        const char *const end = encoder.appendToBuffer(code.data(), QStringView(&c, 1));
        const auto length = end - code.data();
        if (encoder.hasError() || length <= 0 || length > kMaxCodeLength)
            return false;
        std::memcpy(m_codes[c].data(), code.data(), length);
        m_lengths[c] = static_cast<quint8>(length);
        return true;
    }

    static constexpr qsizetype kMaxCodeLength = 4;
    std::array<std::array<char, kMaxCodeLength>, 0x10000> m_codes{};
    std::array<quint8, 0x10000> m_lengths{}; // 0: not met yet
};

CharacterCodes &threadCharacterCodes()
{
    // Only threads that write text outside ASCII pay for the table.
    thread_local const auto codes = std::make_unique<CharacterCodes>();
    return *codes;
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
    CharacterCodes &codes = threadCharacterCodes();
    char *end = out;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x80) {
            *end++ = static_cast<char>(unit);
        } else if (QChar::isSurrogate(unit)) {
            // Characters beyond the plane (and stray halves) are left to the converter whole.
            encoder.resetState();
            return encoder.appendToBuffer(out, text);
        } else {
            end = codes.append(unit, end, encoder);
        }
    }
    return end;
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
