#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace tovren::model {

class FormImage;

/// Lays a form image over a drawn page as if it lay beneath it: stretched over the paper, faded
/// towards white and blended by multiplying, so it shows through white and hatched areas (a
/// band covers the whole of a certificate page) while the texts and lines drawn on the page stay
/// as dark as they are.
///
/// Scaling a scan of many megapixels on every repaint would make the canvas crawl, so the faded
/// picture is kept at the size it was last drawn and made again only when the size or the
/// image changes.
class FormImageBackdrop
{
public:
    /// Share of the scan in the drawn colour; the rest is white.
    static constexpr qreal kStrength = 0.35;

    /// Blends @p image into @p paper (in the painter's coordinates) over what is drawn there;
    /// nothing for an image that could not be decoded.
    void draw(QPainter &painter, const FormImage &image, const QRect &paper);

private:
    qint64 m_sourceKey = 0;
    QImage m_faded;
};

} // namespace tovren::model
