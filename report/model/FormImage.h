#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace tovren::model {

/// A scan of the blank pre-printed form a page is designed over.
///
/// It is a guide on the screen only: the builder and the printer never see it. The file's own
/// bytes are kept, so a template carries the scan exactly as the clerk chose it, without a
/// re-encoding that would lose detail or grow the file.
class FormImage
{
public:
    /// Beyond this a scan costs hundreds of megabytes once decoded; no form needs that.
    static constexpr qint64 kMaxPixels = 50'000'000;

    /// Reads a JPEG, PNG or BMP file; on refusal gives no image and a message naming the file.
    static std::optional<FormImage> fromFile(const QString &fileName, QString &refusal);
    /// Checks and decodes @p bytes the same way; @p sourceName names them in the message.
    static std::optional<FormImage> fromBytes(const QByteArray &bytes, const QString &sourceName,
                                              QString &refusal);
    /// Bytes kept in a template: the image is decoded when it can be, and the bytes are kept
    /// even when it cannot, so that saving the template again never loses them.
    static FormImage fromStored(const QByteArray &bytes);

    const QByteArray &bytes() const { return m_bytes; }
    /// Null when the stored bytes could not be decoded.
    const QImage &image() const { return m_image; }

private:
    FormImage(QByteArray bytes, QImage image);

    QByteArray m_bytes;
    QImage m_image;
};

} // namespace tovren::model
