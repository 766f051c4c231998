#include "report/preview/PreviewLayout.h"

#include <algorithm>
#include <cmath>

namespace tovren::preview {

namespace {

constexpr int kGap = 10;

double fittedScale(const QSize &paper, const QSize &view, ZoomMode mode, double fixedScale)
{
    switch (mode) {
    case ZoomMode::PageWidth:
        return paper.width() > 0 ? double(view.width() - 20) / paper.width() : fixedScale;
    case ZoomMode::WholePage:
        return paper.height() > 0 ? double(view.height() - 20) / paper.height() : fixedScale;
    case ZoomMode::TwoPages:
        return paper.width() > 0 ? double(view.width() - 30) / (2.0 * paper.width()) : fixedScale;
    case ZoomMode::Fixed:
        break;
    }
    return fixedScale;
}

int pagesPerRow(const QList<QSize> &paperSizes, int viewWidth, double scale, ZoomMode mode)
{
    if (mode == ZoomMode::WholePage)
        return 1;
    if (mode == ZoomMode::TwoPages)
        return 2;
    int x = kGap;
    int run = 0;
    int per = 0;
    for (qsizetype j = 0; j < paperSizes.size(); ++j) {
        const int right = int(std::lround(paperSizes[j].width() * scale)) + x + kGap;
        if (viewWidth < right) {
            per = std::max(per, run);
            x = kGap;
            run = 0;
        } else {
            x = right;
            ++run;
        }
        if (j == paperSizes.size() - 1)
            per = std::max(per, run);
    }
    return per > 0 ? per : 1;
}

} // namespace

PreviewLayout::Result PreviewLayout::layOut(const QList<QSize> &paperSizes, int currentIndex,
                                            const QSize &view, ZoomMode mode, double fixedScale)
{
    Result result;
    if (paperSizes.isEmpty())
        return result;
    const int current = std::clamp(currentIndex, 0, int(paperSizes.size()) - 1);
    const double scale = fittedScale(paperSizes[current], view, mode, fixedScale);
    // A view too small to fit anything would give a scale of zero or less; keep pages visible.
    result.scale = scale > 0.01 ? scale : 0.01;

    const int per = pagesPerRow(paperSizes, view.width(), result.scale, mode);
    int y = kGap;
    int right = 0;
    int bottom = 0;
    for (qsizetype rowStart = 0; rowStart < paperSizes.size(); rowStart += per) {
        int x = kGap;
        int rowHeight = 0;
        const qsizetype rowEnd = std::min<qsizetype>(rowStart + per, paperSizes.size());
        for (qsizetype l = rowStart; l < rowEnd; ++l) {
            const int pw = int(std::lround(paperSizes[l].width() * result.scale));
            const int ph = int(std::lround(paperSizes[l].height() * result.scale));
            const int left = (per == 1 && pw < view.width()) ? (view.width() - pw) / 2 : x;
            result.pageRects.append(QRect(left, y, pw, ph));
            x += pw + kGap;
            rowHeight = std::max(rowHeight, ph);
            right = std::max(right, left + pw);
            bottom = std::max(bottom, y + ph);
        }
        y += rowHeight + kGap;
    }
    result.extent = QSize(right, bottom);
    return result;
}

} // namespace tovren::preview
