#include "report/designer/CanvasOverlay.h"

#include "report/designer/ResizeHandle.h"
#include "report/model/TqxPage.h"

#include <QPainter>
#include <cmath>
#include <functional>

namespace tovren::designer {

const QColor CanvasOverlay::kFrameColor(64, 64, 64);
const QColor CanvasOverlay::kHandleColor(Qt::black);
const QColor CanvasOverlay::kCornerHandleColor(0, 128, 128);

namespace {

/// The outline of an object: its edges at Left .. Left + Width, Top .. Top + Height.
QRect objectOutline(const model::TqxView &view)
{
    return QRect(QPoint(view.Left, view.Top),
                 QPoint(view.Left + view.Width, view.Top + view.Height));
}

/// The ring of pixels a one-pixel outline of @p rect covers.
QRegion outlineRing(const QRect &rect)
{
    const QRect outer = rect.adjusted(-1, -1, 1, 1);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    return inner.isValid() ? QRegion(outer) - QRegion(inner) : QRegion(outer);
}

void forEachSelected(const model::TqxPage &page,
                     const std::function<void(const model::TqxView &, qsizetype)> &visit)
{
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        if (page.object(i)->Selected)
            visit(*page.object(i), i);
    }
}

int selectedCount(const model::TqxPage &page)
{
    int count = 0;
    forEachSelected(page, [&](const model::TqxView &, qsizetype) { ++count; });
    return count;
}

int lineHalfWidth(double widthPixels)
{
    return int(std::ceil(widthPixels / 2)) + 1;
}

} // namespace

QRect CanvasOverlay::handleSquare(QPoint position)
{
    const int half = kHandleSizePixels / 2;
    return QRect(position.x() - half, position.y() - half, kHandleSizePixels, kHandleSizePixels);
}

void CanvasOverlay::paint(QPainter &painter, const model::TqxPage &page,
                          const CanvasFeedback &feedback)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (feedback.outlines) {
        painter.setPen(QPen(kFrameColor, 0));
        forEachSelected(page, [&](const model::TqxView &view, qsizetype) {
            painter.drawRect(objectOutline(view));
        });
    }
    if (feedback.frame) {
        painter.setPen(QPen(kFrameColor, 0, feedback.frameSelects ? Qt::DashLine : Qt::SolidLine));
        const QRect rect = feedback.frame->outlineRect();
        if (rect.width() == 1 || rect.height() == 1)
            painter.drawLine(rect.topLeft(), rect.bottomRight());
        else
            painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    if (feedback.drawnLine) {
        const int width = std::max(1, model::roundHalfEven(feedback.drawnLineWidthPixels));
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(*feedback.drawnLine);
    }
    if (feedback.splitLine) {
        painter.setPen(QPen(kFrameColor, 0));
        painter.drawLine(*feedback.splitLine);
    }
    if (feedback.handles) {
        const bool onlyOne = selectedCount(page) == 1;
        forEachSelected(page, [&](const model::TqxView &view, qsizetype index) {
            for (ResizeHandle handle : shownHandles(view, onlyOne)) {
                const bool corner =
                    handle == ResizeHandle::BottomRight && index == feedback.cornerIndex;
                painter.fillRect(handleSquare(handlePosition(view, handle)),
                                 corner ? kCornerHandleColor : kHandleColor);
            }
        });
    }
    painter.restore();
}

QRegion CanvasOverlay::area(const model::TqxPage &page, const CanvasFeedback &feedback)
{
    QRegion covered;
    if (feedback.outlines) {
        forEachSelected(page, [&](const model::TqxView &view, qsizetype) {
            covered += outlineRing(objectOutline(view));
        });
    }
    if (feedback.frame)
        covered += outlineRing(feedback.frame->outlineRect());
    if (feedback.drawnLine) {
        const int half = lineHalfWidth(feedback.drawnLineWidthPixels);
        const QLine &line = *feedback.drawnLine;
        covered += QRect(line.p1(), line.p2()).normalized().adjusted(-half, -half, half, half);
    }
    if (feedback.splitLine) {
        const QLine &line = *feedback.splitLine;
        covered += QRect(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1);
    }
    if (feedback.handles) {
        const bool onlyOne = selectedCount(page) == 1;
        forEachSelected(page, [&](const model::TqxView &view, qsizetype) {
            for (ResizeHandle handle : shownHandles(view, onlyOne))
                covered += handleSquare(handlePosition(view, handle));
        });
    }
    return covered;
}

} // namespace tovren::designer
