#include "report/model/FormImage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tovren::model {

namespace {

bool isAcceptedFormat(const QByteArray &format)
{
    return format == "jpeg" || format == "jpg" || format == "png" || format == "bmp";
}

/// Decodes @p bytes when they hold an accepted picture of a sensible size; the reason otherwise.
QImage decode(const QByteArray &bytes, QString &problem)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The content decides, not the file name: a renamed file is still refused or accepted.
    reader.setDecideFormatFromContent(true);
    if (!isAcceptedFormat(reader.format())) {
        problem = QStringLiteral("不是 JPEG、PNG 或 BMP 图片");
        return {};
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        problem = QStringLiteral("图片已损坏");
        return {};
    }
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > FormImage::kMaxPixels) {
        problem = QStringLiteral("图片有 %1 万像素, 超过 %2 万像素的上限")
                      .arg(pixels / 10'000)
                      .arg(FormImage::kMaxPixels / 10'000);
        return {};
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        problem = QStringLiteral("图片已损坏");
        return {};
    }
    return image;
}

} // namespace

FormImage::FormImage(QByteArray bytes, QImage image)
    : m_bytes(std::move(bytes))
    , m_image(std::move(image))
{}

std::optional<FormImage> FormImage::fromFile(const QString &fileName, QString &refusal)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        refusal = QStringLiteral("无法读取文件 %1").arg(QFileInfo(fileName).fileName());
        return std::nullopt;
    }
    // A file far larger than any scan of 50 megapixels is not read into memory at all.
    constexpr qint64 kMaxFileBytes = 4 * kMaxPixels + (qint64(1) << 20);
    if (file.size() > kMaxFileBytes) {
        refusal = QStringLiteral("文件 %1 不能用作表格底图: 文件过大")
                      .arg(QFileInfo(fileName).fileName());
        return std::nullopt;
    }
    return fromBytes(file.readAll(), QFileInfo(fileName).fileName(), refusal);
}

std::optional<FormImage> FormImage::fromBytes(const QByteArray &bytes, const QString &sourceName,
                                              QString &refusal)
{
    QString problem;
    QImage image = decode(bytes, problem);
    if (image.isNull()) {
        refusal = QStringLiteral("文件 %1 不能用作表格底图: %2").arg(sourceName, problem);
        return std::nullopt;
    }
    return FormImage(bytes, std::move(image));
}

FormImage FormImage::fromStored(const QByteArray &bytes)
{
    QString ignored;
    return FormImage(bytes, decode(bytes, ignored));
}

} // namespace tovren::model
