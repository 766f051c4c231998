#include "report/designer/GrayedIcon.h"

#include <QImage>
#include <QPixmap>

namespace tovren::designer {

QImage toGray(const QImage &image)
{
    QImage gray = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < gray.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(gray.scanLine(y));
        for (int x = 0; x < gray.width(); ++x) {
            const QRgb pixel = line[x];
            const int level = (77 * qRed(pixel) + 150 * qGreen(pixel) + 29 * qBlue(pixel)) / 256;
            line[x] = qRgba(level, level, level, qAlpha(pixel));
        }
    }
    return gray;
}

QIcon grayedUntilHovered(const QIcon &icon, QSize size)
{
    QIcon result;
    for (const qreal scale : {1.0, 2.0}) {
        const QPixmap colour = icon.pixmap(size, scale);
        if (colour.isNull())
            continue;
        result.addPixmap(QPixmap::fromImage(toGray(colour.toImage())), QIcon::Normal, QIcon::Off);
        result.addPixmap(colour, QIcon::Active, QIcon::Off);
        result.addPixmap(colour, QIcon::Normal, QIcon::On);
        result.addPixmap(colour, QIcon::Active, QIcon::On);
        result.addPixmap(icon.pixmap(size, scale, QIcon::Disabled), QIcon::Disabled);
    }
    return result;
}

} // namespace tovren::designer
