#include "report/pdf/PdfImageSet.h"

#include "report/pdf/PdfObjectWriter.h"

namespace tovren::pdf {

PdfImageSet::PdfImageSet(PdfObjectWriter &writer)
    : m_writer(writer)
{}

int PdfImageSet::imageNumber(const QImage &image)
{
    // Pictures repeated on every page come from the same cached image, so its key finds them.
    return numberFor(m_numberByImageKey, image.cacheKey(), [&] { return image; });
}

int PdfImageSet::imageNumber(const QPixmap &pixmap)
{
    return numberFor(m_numberByPixmapKey, pixmap.cacheKey(), [&] { return pixmap.toImage(); });
}

int PdfImageSet::numberFor(QHash<qint64, int> &numbers, qint64 key,
                           const std::function<QImage()> &image)
{
    const auto found = numbers.constFind(key);
    if (found != numbers.constEnd())
        return found.value();
    const int number = int(m_objects.size());
    m_objects.append(writeImage(image()));
    numbers.insert(key, number);
    return number;
}

int PdfImageSet::writeImage(const QImage &image)
{
    const bool transparent = image.hasAlphaChannel();
    const bool grey = image.isGrayscale() && !transparent;
    const QImage pixels = image.convertToFormat(
        transparent ? QImage::Format_RGBA8888
                    : (grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888));
    const int width = pixels.width();
    const int height = pixels.height();
    QByteArray colour;
    QByteArray alpha;
    colour.reserve(qsizetype(width) * height * (grey ? 1 : 3));
    if (transparent)
        alpha.reserve(qsizetype(width) * height);
    for (int y = 0; y < height; ++y) {
        const uchar *line = pixels.constScanLine(y);
        if (!transparent) {
            colour.append(reinterpret_cast<const char *>(line), width * (grey ? 1 : 3));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            colour.append(reinterpret_cast<const char *>(line + 4 * x), 3);
            alpha.append(char(line[4 * x + 3]));
        }
    }

    const QByteArray size = "/Width " + QByteArray::number(width) + "/Height " +
                            QByteArray::number(height) + "/BitsPerComponent 8";
    QByteArray entries = "/Type/XObject/Subtype/Image" + size +
                         (grey ? "/ColorSpace/DeviceGray" : "/ColorSpace/DeviceRGB");
    if (transparent) {
        const int mask = m_writer.reserveObject();
        m_writer.writeStream(mask, "/Type/XObject/Subtype/Image" + size + "/ColorSpace/DeviceGray",
                             alpha);
        entries += "/SMask " + QByteArray::number(mask) + " 0 R";
    }
    // Smooth scaling, as the screen and printers show pictures.
    entries += "/Interpolate true";
    const int object = m_writer.reserveObject();
    m_writer.writeStream(object, entries, colour);
    return object;
}

} // namespace tovren::pdf
