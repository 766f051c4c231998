#include "report/designer/CanvasPlacement.h"

namespace tovren::designer {

namespace {

constexpr int kUnlimitedHeightFactor = 3;

int follow(int scroll, int client, int point)
{
    if (point > client + scroll)
        return point - client;
    if (point < scroll)
        return point;
    return scroll;
}

} // namespace

CanvasPlacement::Result CanvasPlacement::place(int clientWidth, QSize pagePixels,
                                               PagePosition position, bool unlimitedHeight)
{
    const int width = pagePixels.width();
    int left = kMarginPixels;
    if (clientWidth - kRightReservePixels >= width && position != PagePosition::Left) {
        left = position == PagePosition::Centre ? (clientWidth - width) / 2
                                                : clientWidth - width - kRightReservePixels;
    }
    const int height = pagePixels.height() * (unlimitedHeight ? kUnlimitedHeightFactor : 1);
    Result result;
    result.canvas = QRect(left, kMarginPixels, width, height);
    result.content = QSize(left + width + kMarginPixels, kMarginPixels + height + kMarginPixels);
    return result;
}

QPoint CanvasPlacement::autoScroll(QPoint scroll, QSize clientSize, QPoint contentPoint)
{
    return {follow(scroll.x(), clientSize.width(), contentPoint.x()),
            follow(scroll.y(), clientSize.height(), contentPoint.y())};
}

} // namespace tovren::designer
