#include "report/designer/CanvasMarks.h"

#include <QPainter>
#include <QPolygon>

namespace tovren::designer {

namespace {

constexpr int kMarkPixels = 8;
constexpr int kCursorPixels = 32;

QImage transparentImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

/// A sheet with two lines of writing.
QImage drawScriptMark()
{
    QImage image = transparentImage(kMarkPixels);
    QPainter painter(&image);
    painter.fillRect(0, 0, 7, 8, QColor(0, 0, 128));
    painter.fillRect(1, 1, 5, 6, Qt::white);
    painter.fillRect(2, 2, 3, 1, QColor(0, 0, 128));
    painter.fillRect(2, 4, 3, 1, QColor(0, 0, 128));
    return image;
}

/// A marker-yellow square.
QImage drawHighlightMark()
{
    QImage image = transparentImage(kMarkPixels);
    QPainter painter(&image);
    painter.fillRect(0, 0, 7, 7, QColor(128, 0, 0));
    painter.fillRect(1, 1, 5, 5, QColor(255, 255, 0));
    painter.fillRect(3, 2, 1, 3, QColor(128, 0, 0));
    return image;
}

/// A pencil lying from the bottom-left tip up to the top right.
QImage drawPencil()
{
    QImage image = transparentImage(kCursorPixels);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(1, 30);
    painter.rotate(-45);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 220, 120));
    painter.drawPolygon(QPolygon({{0, 0}, {7, -3}, {7, 3}}));
    painter.setBrush(QColor(255, 200, 0));
    painter.drawRect(7, -3, 22, 6);
    painter.setBrush(QColor(230, 120, 130));
    painter.drawRect(29, -3, 5, 6);
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({{0, 0}, {2, -1}, {2, 1}}));
    return image;
}

} // namespace

CanvasMarks::CanvasMarks()
    : m_script(drawScriptMark())
    , m_highlight(drawHighlightMark())
    , m_pencil(drawPencil())
{}

} // namespace tovren::designer
