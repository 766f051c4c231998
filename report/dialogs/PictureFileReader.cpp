#include "report/dialogs/PictureFileReader.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace tovren::dialogs {

std::optional<model::PictureGraphic> PictureFileReader::read(const QString &fileName,
                                                             QString &error)
{
    const QString shownName = QFileInfo(fileName).fileName();
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    if (!QFileInfo(fileName).isReadable()) {
        error = QStringLiteral("无法打开图片文件 %1。").arg(shownName);
        return std::nullopt;
    }
    if (!reader.canRead()) {
        error = QStringLiteral("文件 %1 不是可识别的图片。").arg(shownName);
        return std::nullopt;
    }
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels) {
        error = QStringLiteral("图片 %1 太大（%2 × %3 像素，最多 5000 万像素）。")
                    .arg(shownName)
                    .arg(size.width())
                    .arg(size.height());
        return std::nullopt;
    }
    // Room for the largest picture accepted, at four bytes a pixel.
    reader.setAllocationLimit(int(kMaxPixels * 4 / (1024 * 1024)) + 1);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull()) {
        error = QStringLiteral("图片文件 %1 已损坏，无法读取。").arg(shownName);
        return std::nullopt;
    }
    if (qint64(image.width()) * image.height() > kMaxPixels) {
        error = QStringLiteral("图片 %1 太大（最多 5000 万像素）。").arg(shownName);
        return std::nullopt;
    }
    // JPEG, bitmap and icon files are kept as they are; other formats become a bitmap.
    const model::PictureGraphic::Kind kind = format == "jpeg"  ? model::PictureGraphic::Kind::Jpeg
                                             : format == "bmp" ? model::PictureGraphic::Kind::Bitmap
                                             : format == "ico" ? model::PictureGraphic::Kind::Icon
                                                               : model::PictureGraphic::Kind::None;
    if (kind == model::PictureGraphic::Kind::None)
        return fromImage(image);
    QFile file(fileName);
    model::PictureGraphic picture;
    if (!file.open(QIODevice::ReadOnly) || !picture.load(kind, file.readAll())) {
        error = QStringLiteral("图片文件 %1 已损坏，无法读取。").arg(shownName);
        return std::nullopt;
    }
    return picture;
}

std::optional<model::PictureGraphic> PictureFileReader::fromImage(const QImage &image)
{
    if (image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return std::nullopt;
    model::PictureGraphic picture;
    if (!picture.load(model::PictureGraphic::Kind::Bitmap, bytes))
        return std::nullopt;
    return picture;
}

QString PictureFileReader::fileFilter()
{
    return QStringLiteral("图片文件 (*.bmp *.jpg *.jpeg *.png *.ico);;所有文件 (*)");
}

} // namespace tovren::dialogs
