#include "report/chart/ChartPicture.h"

#include <QPainter>

namespace tovren::chart {

namespace {

// Every picture of Qt's format starts with these bytes; anything else is another format.
constexpr char kPictureMagic[] = "QPIC";

} // namespace

ChartPicture ChartPicture::record(const QSizeF &size, const std::function<void(QPainter &)> &paint)
{
    QPicture picture;
    picture.setBoundingRect(QRectF(QPointF(0, 0), size).toAlignedRect());
    QPainter painter(&picture);
    paint(painter);
    painter.end();
    ChartPicture recorded;
    recorded.load(QByteArray(picture.data(), picture.size()));
    return recorded;
}

void ChartPicture::load(const QByteArray &bytes)
{
    m_bytes = bytes;
    m_picture = QPicture();
    m_drawable = false;
    if (!bytes.startsWith(kPictureMagic))
        return;
    m_picture.setData(bytes.constData(), uint(bytes.size()));
    // The bounding rectangle is read from the picture's header, which is checked on the way.
    m_drawable = m_picture.boundingRect().width() > 0 && m_picture.boundingRect().height() > 0;
}

bool ChartPicture::drawFitted(QPainter &painter, const QRectF &target) const
{
    if (!m_drawable)
        return false;
    const QRectF source = m_picture.boundingRect();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / source.width(), target.height() / source.height());
    painter.translate(-source.topLeft());
    painter.drawPicture(QPointF(0, 0), m_picture);
    painter.restore();
    return true;
}

} // namespace tovren::chart
