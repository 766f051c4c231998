#include "report/model/FrameLinePainter.h"

#include <QPainter>
#include <QPen>

namespace tovren::model {

namespace {

Qt::PenStyle qtPenStyle(LineStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psSolid:
    case psDouble:
        break;
    }
    return Qt::SolidLine;
}

// Every dash pattern repeats after this many pixels (the pens' periods are 6, 3, 9 and 12).
constexpr DevicePixels kDashPatternPeriod = 36;

/// The part of the painter's device that can show anything, in the painter's coordinates; a
/// slightly larger box, so rounding never loses an edge pixel.
QRect visibleArea(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    if (!device)
        return {};
    const QRect deviceArea(-2, -2, device->width() + 4, device->height() + 4);
    bool invertible = false;
    const QTransform toPainter = painter.combinedTransform().inverted(&invertible);
    return invertible ? toPainter.mapRect(deviceArea) : deviceArea;
}

} // namespace

FrameLinePainter::FrameLinePainter(QPainter &painter, const Pen &pen)
    : m_painter(painter)
    , m_pen(pen)
{}

void FrameLinePainter::vertical(DevicePixels x, DevicePixels top, DevicePixels bottom) const
{
    line(Axis::Vertical, x, top, bottom);
}

void FrameLinePainter::horizontal(DevicePixels y, DevicePixels left, DevicePixels right) const
{
    line(Axis::Horizontal, y, left, right);
}

void FrameLinePainter::line(Axis axis, DevicePixels across, DevicePixels from,
                            DevicePixels to) const
{
    if (to <= from || !m_pen.color.isValid())
        return;
    const DevicePixels width = std::max(m_pen.width, 1);
    if (m_pen.style == psDouble) {
        const DevicePixels d = m_pen.doubleDistance;
        solidBand(axis, across - d, width, m_pen.color, from, to);
        solidBand(axis, across + d, width, m_pen.color, from, to);
        solidBand(axis, across, width, m_pen.fill.isValid() ? m_pen.fill : Qt::white, from, to);
    } else if (m_pen.style == psSolid) {
        solidBand(axis, across, width, m_pen.color, from, to);
    } else {
        patternedStrokes(axis, across, from, to);
    }
}

void FrameLinePainter::solidBand(Axis axis, DevicePixels centre, DevicePixels width,
                                 const QColor &color, DevicePixels from, DevicePixels to) const
{
    // A pen of width n covers n whole pixels, starting n div 2 before the line.
    const DevicePixels start = centre - width / 2;
    const QRect band = axis == Axis::Vertical ? QRect(start, from, width, to - from)
                                              : QRect(from, start, to - from, width);
    m_painter.fillRect(band, color);
}

void FrameLinePainter::patternedStrokes(Axis axis, DevicePixels centre, DevicePixels from,
                                        DevicePixels to) const
{
    const QPainter::RenderHints savedHints = m_painter.renderHints();
    const QPen savedPen = m_painter.pen();
    const QBrush savedBackground = m_painter.background();
    const Qt::BGMode savedMode = m_painter.backgroundMode();

    m_painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(m_pen.color, 1, qtPenStyle(m_pen.style), Qt::FlatCap);
    m_painter.setPen(pen);
    if (m_pen.fill.isValid()) {
        m_painter.setBackgroundMode(Qt::OpaqueMode);
        m_painter.setBackground(m_pen.fill);
    } else {
        m_painter.setBackgroundMode(Qt::TransparentMode);
    }
    // A damaged or absurd frame (a pen thousands of pixels wide, a line far past the paper)
    // must not take seconds to dash: only what can show is stroked. Starts move by whole dash
    // periods, so the pattern stays where it would have been.
    const QRect visible = visibleArea(m_painter);
    const bool vertical = axis == Axis::Vertical;
    const DevicePixels visibleFrom = vertical ? visible.top() : visible.left();
    const DevicePixels visibleTo = vertical ? visible.bottom() + 1 : visible.right() + 1;
    if (from < visibleFrom)
        from += (visibleFrom - from) / kDashPatternPeriod * kDashPatternPeriod;
    to = std::min(to, visibleTo);
    const DevicePixels acrossFrom = vertical ? visible.left() : visible.top();
    const DevicePixels acrossTo = vertical ? visible.right() + 1 : visible.bottom() + 1;
    const DevicePixels width = std::max(m_pen.width, 1);
    const DevicePixels first = std::max<DevicePixels>(0, acrossFrom - (centre - width / 2));
    const DevicePixels last = std::min<DevicePixels>(width, acrossTo - (centre - width / 2));
    for (DevicePixels i = first; i < last && from < to; ++i) {
        const DevicePixels at = centre - width / 2 + i;
        if (axis == Axis::Vertical)
            m_painter.drawLine(at, from, at, to - 1);
        else
            m_painter.drawLine(from, at, to - 1, at);
    }

    m_painter.setBackgroundMode(savedMode);
    m_painter.setBackground(savedBackground);
    m_painter.setPen(savedPen);
    m_painter.setRenderHints(savedHints);
}

} // namespace tovren::model
