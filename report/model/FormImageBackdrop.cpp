#include "report/model/FormImageBackdrop.h"

#include "report/model/FormImage.h"

#include <QPainter>

namespace tovren::model {

namespace {

/// No screen needs more detail than this, however far the view is zoomed in.
constexpr int kMaxCachedSide = 8000;

QImage faded(const QImage &source, QSize size)
{
    QImage result(size, QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(FormImageBackdrop::kStrength);
    painter.drawImage(result.rect(), source);
    return result;
}

} // namespace

void FormImageBackdrop::draw(QPainter &painter, const FormImage &image, const QRect &paper)
{
    const QImage &source = image.image();
    if (source.isNull() || paper.isEmpty())
        return;
    // The size on the device, so a zoomed preview is drawn sharp and a small one cheaply.
    const QRect onDevice = painter.transform().mapRect(QRectF(paper)).toAlignedRect();
    const QSize wanted = onDevice.size().boundedTo(QSize(kMaxCachedSide, kMaxCachedSide));
    if (wanted.isEmpty())
        return;
    if (m_sourceKey != source.cacheKey() || m_faded.size() != wanted) {
        m_faded = faded(source, wanted);
        m_sourceKey = source.cacheKey();
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(paper, m_faded);
    painter.restore();
}

} // namespace tovren::model
