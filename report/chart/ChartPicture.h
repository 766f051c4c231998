#pragma once

#include <QByteArray>
#include <QPicture>
#include <QRectF>
#include <QSizeF>
#include <functional>

class QPainter;

namespace tovren::chart {

/// The picture a chart without data keeps in its record: Qt's own vector picture format.
///
/// A picture from elsewhere (an enhanced metafile of an older program) is kept byte for byte,
/// so a template writes back exactly what it read, but it is not drawn: drawFitted() tells the
/// chart so, and the chart shows its background and frame instead.
class ChartPicture
{
public:
    /// Records what @p paint draws into the rectangle from (0, 0) to @p size.
    static ChartPicture record(const QSizeF &size, const std::function<void(QPainter &)> &paint);

    void load(const QByteArray &bytes);
    void clear() { load({}); }

    const QByteArray &bytes() const { return m_bytes; }
    bool isEmpty() const { return m_bytes.isEmpty(); }
    /// Holds a picture of this program's format with an area to draw.
    bool isDrawable() const { return m_drawable; }

    /// Draws the picture stretched into @p target; false when it cannot be drawn.
    bool drawFitted(QPainter &painter, const QRectF &target) const;

private:
    QByteArray m_bytes;
    QPicture m_picture;
    bool m_drawable = false;
};

} // namespace tovren::chart
