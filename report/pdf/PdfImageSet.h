#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <functional>

namespace tovren::pdf {

class PdfObjectWriter;

/// The pictures of one PDF document, each written once as an image object however many pages
/// show it.
class PdfImageSet
{
public:
    explicit PdfImageSet(PdfObjectWriter &writer);

    /// The number by which pages name @p image ("/Im<number>"), writing it at its first use.
    int imageNumber(const QImage &image);
    int imageNumber(const QPixmap &pixmap);
    /// Object numbers by image number, for the resources dictionary.
    const QList<int> &objects() const { return m_objects; }

private:
    int numberFor(QHash<qint64, int> &numbers, qint64 key, const std::function<QImage()> &image);
    int writeImage(const QImage &image);

    PdfObjectWriter &m_writer;
    // Images and pixmaps number their cache keys apart, so they are kept apart.
    QHash<qint64, int> m_numberByImageKey;
    QHash<qint64, int> m_numberByPixmapKey;
    QList<int> m_objects;
};

} // namespace tovren::pdf
